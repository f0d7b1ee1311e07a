# bash completion for imgmint(1): the media type keywords for the first
# argument, in the order of the program's usage block. The numbers after it
# get no completion.

_imgmint()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()
    ((COMP_CWORD == 1)) || return 0

    local keywords="2d 2dd 2hd 1d 1dd 2dbas 2ddbas 2hdbas 2hdbas88
        2dddos 2dddos6 2dddos9 2hddos 2hcdos 2hddos144
        2dblank 2ddblank 2hdblank
        1dbas 1dbas80 1dbas66 1ddbas 1ddbas66 1dblank 1ddblank"
    # imgmint lowers A to Z itself, so an upper-case prefix matches too.
    mapfile -t COMPREPLY < <(compgen -W "$keywords" -- "${cur,,}")
}

# nosort keeps the table order in the list bash shows.
complete -o nosort -F _imgmint imgmint 2>/dev/null || complete -F _imgmint imgmint
