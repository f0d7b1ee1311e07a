# bash completion for imgdisk(1):
#   imgdisk extract FILE N OUT | split FILE [PREFIX] | join OUT IN...
#   imgdisk remove FILE N | move FILE N M | name FILE N TEXT
#   imgdisk protect FILE N on|off | media FILE N 2d|2dd|2hd
#   imgdisk -h | --help | --version
# The command words first, file names where a command takes a file, the
# keywords of protect and media, nothing for numbers and names.

_imgdisk()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W "extract split join remove move name protect media -h --help --version" \
            -- "$cur")
        return
    fi

    local files=no words=""
    case ${COMP_WORDS[1]}:$COMP_CWORD in
        extract:2 | extract:4 | split:2 | split:3 | remove:2 | move:2 | name:2 | protect:2 | media:2) files=yes ;;
        join:*) files=yes ;;
        protect:4) words="on off" ;;
        media:4) words="2d 2dd 2hd" ;;
    esac
    if [[ $files == yes ]]; then
        compopt -o filenames 2>/dev/null || :
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    elif [[ -n $words ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    fi
}

complete -F _imgdisk imgdisk
