# bash completion for imgpoke(1):
#   imgpoke [-s] d88file targetfile diskno track sector
# "-s" only as the first argument, file names for d88file and targetfile,
# nothing for the three numbers.

_imgpoke()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local argument=$COMP_CWORD
    COMPREPLY=()
    # After "-s" every argument stands one word further on.
    if ((COMP_CWORD > 1)) && [[ ${COMP_WORDS[1]} == -s ]]; then
        argument=$((COMP_CWORD - 1))
    fi

    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "-s" -- "$cur")
    fi
    case $argument in
        1 | 2)  # d88file, targetfile
            compopt -o filenames 2>/dev/null || :
            mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -- "$cur")
            ;;
    esac
}

complete -F _imgpoke imgpoke
