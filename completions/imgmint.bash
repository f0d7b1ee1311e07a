# bash completion for imgmint(1): the media type keywords for the first
# argument (the third after "-o FILE"), in the order of the program's usage
# block; file names after "-o"; the options for a word that starts with "-".
# The numbers after the keyword get no completion.

_imgmint()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local argument=$COMP_CWORD
    COMPREPLY=()
    if ((COMP_CWORD == 2)) && [[ ${COMP_WORDS[1]} == -o ]]; then
        compopt -o filenames 2>/dev/null || :
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        return 0
    fi
    # After "-o FILE" the media type stands two words further on.
    if ((COMP_CWORD > 2)) && [[ ${COMP_WORDS[1]} == -o ]]; then
        argument=$((COMP_CWORD - 2))
    fi
    ((argument == 1)) || return 0
    if ((COMP_CWORD == 1)) && [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "-o -h --help --version" -- "$cur")
        return 0
    fi

    local keywords="2d 2dd 2hd 1d 1dd 2dbas 2ddbas 2hdbas 2hdbas88
        2dddos 2dddos6 2dddos9 2hddos 2hcdos 2hddos144
        2dblank 2ddblank 2hdblank
        1dbas 1dbas80 1dbas66 1ddbas 1ddbas66 1dblank 1ddblank"
    # imgmint lowers A to Z itself, so an upper-case prefix matches too.
    mapfile -t COMPREPLY < <(compgen -W "$keywords" -- "${cur,,}")
}

# nosort keeps the table order in the list bash shows.
complete -o nosort -F _imgmint imgmint 2>/dev/null || complete -F _imgmint imgmint
