# bash completion for imgconv(1):
#   imgconv [--from FORMAT] [--to FORMAT] [--disk N] [--media TYPE] [-n] INPUT OUTPUT
# The format names after --from and --to (the emulator containers after
# --from only, as imgconv reads them but does not write them), the preset
# keywords that have
# sectors after --media (generic types are typed with their numbers, as
# 2hd,26,1), nothing after --disk, the options for a word that starts with
# "-" (until "--"), and file names otherwise.

_imgconv()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    # "--to=f": bash splits the word at "=".
    if [[ $previous == = ]] && ((COMP_CWORD > 1)); then
        previous=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == = ]]; then
        cur=
    fi

    local written="d88 raw fdi"
    local read_only="nfd fdd dcp dip dim"
    local media="2dbas 2ddbas 2hdbas 2hdbas88 2dddos 2dddos6 2dddos9 2hddos 2hcdos 2hddos144
        1dbas 1dbas80 1dbas66 1ddbas 1ddbas66"
    # imgconv reads both in any letter case.
    case $previous in
        --from)
            mapfile -t COMPREPLY < <(compgen -W "$written $read_only" -- "${cur,,}")
            return 0
            ;;
        --to)
            mapfile -t COMPREPLY < <(compgen -W "$written" -- "${cur,,}")
            return 0
            ;;
        --media)
            mapfile -t COMPREPLY < <(compgen -W "$media" -- "${cur,,}")
            return 0
            ;;
        --disk)
            return 0
            ;;
    esac

    local i options_ended=
    for ((i = 1; i < COMP_CWORD; i++)); do
        [[ ${COMP_WORDS[i]} == -- ]] && options_ended=1
    done
    if [[ -z $options_ended && $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "--from --to --disk --media -n -h --help --version --" -- "$cur")
        return 0
    fi
    compopt -o filenames 2>/dev/null || :
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -F _imgconv imgconv
