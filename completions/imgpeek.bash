# bash completion for imgpeek(1):
#   imgpeek d88file
#   imgpeek d88file diskno
#   imgpeek [-s] d88file diskno track sector length outfile
# "-s" only as the first argument, file names for d88file and outfile,
# nothing for the numbers.

_imgpeek()
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
        1 | 6)  # d88file, outfile
            compopt -o filenames 2>/dev/null || :
            mapfile -t -O "${#COMPREPLY[@]}" COMPREPLY < <(compgen -f -- "$cur")
            ;;
    esac
}

complete -F _imgpeek imgpeek
