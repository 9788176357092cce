# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for radioprog-cli, radioprog and radiosim. Commands, options and what each
# argument is are read from the programs' own --help, so new commands and options complete
# without changes here:
#   a FILE argument of a command's usage line: .csv files where its name ends in .csv, else
#   .dat files; radioprog's FILE: .dat and .csv files;
#   an option value: --port a port number (1-20; a list after a comma), --device the serial
#   device files, a value named *.dat, *.csv or *.pdf such files, FILE or PATH any file
#   (radiosim's --load and --save .dat files), anything else nothing.

# The long options of the "Options:" section of a help text on stdin, one a line.
_radioprog_options()
{
    sed -n '/^Options:/,/^$/s/^ \{1,8\}\(-[A-Za-z], \)\{0,1\}\(--[a-z][a-z0-9-]*\).*/\2/p'
}

# The long options that take a value, with it: "--out NEW.dat", one a line.
_radioprog_value_options()
{
    sed -n '/^Options:/,/^$/s/^ \{1,8\}\(-[A-Za-z], \)\{0,1\}\(--[a-z][a-z0-9-]*\) \([^ -][^ ]*\).*/\2 \3/p'
}

# The FILE arguments of a command's usage line (first line on stdin), one a line: the words
# that are neither in [...] nor an option or its value.
_radioprog_arguments()
{
    sed -n '1{s/^Usage: [^ ]* [^ ]*//; s/\[[^]]*\]//g; s/--*[a-z][a-z0-9-]* [A-Z][^ ]*//g; s/ --*[a-z][a-z0-9-]*//g; p;}' |
        tr -s ' ' '\n' | sed '/^$/d'
}

# Files ending in one of the extensions given (any case), and folders to go on in.
_radioprog_files()
{
    local extension pattern c j
    compopt -o filenames 2>/dev/null
    if [[ $# -eq 0 ]]; then
        COMPREPLY+=($(compgen -f -- "$cur"))
        return
    fi
    for extension in "$@"; do
        # "dat" matches as "[dD][aA][tT]".
        pattern=""
        for ((j = 0; j < ${#extension}; j++)); do
            c=${extension:j:1}
            pattern+="[${c,}${c^}]"
        done
        COMPREPLY+=($(compgen -f -X "!*.$pattern" -- "$cur"))
    done
    COMPREPLY+=($(compgen -d -- "$cur"))
}

# Completes the value of option $1, whose help names it $2.
_radioprog_value()
{
    local option=$1 name=$2 program=$3 list=""
    case $option in
        --port)
            # A list (write --port 1,2,3) goes on after its last comma.
            [[ $cur == *,* ]] && list=${cur%,*},
            COMPREPLY=($(compgen -P "$list" -W "$(seq 1 20)" -- "${cur##*,}"))
            return ;;
        --device)
            local devices
            devices=$(compgen -G '/dev/ttyUSB*'; compgen -G '/dev/ttyACM*'; compgen -G '/dev/ttyS*';
                compgen -G '/dev/serial/by-id/*')
            COMPREPLY=($(compgen -W "$devices" -- "$cur"))
            [[ ${#COMPREPLY[@]} -eq 0 ]] && _radioprog_files
            return ;;
        --load | --save)
            [[ $program == radiosim ]] && { _radioprog_files dat; return; } ;;
    esac
    case $name in
        *.dat) _radioprog_files dat ;;
        *.csv) _radioprog_files csv ;;
        *.pdf) _radioprog_files pdf ;;
        FILE | PATH) _radioprog_files ;;
    esac
}

# The completion of the word being typed ($cur) for the command line words[1..cword-1].
# Args: the program, the help text of what is being completed, the FILE rule for positional
# arguments ("usage" to read them from the help's usage line, or extensions), and the index
# of the first word after the command.
_radioprog_complete_with()
{
    local program=$1 help=$2 files=$3 first=$4 option name i arguments=() position=0 takes
    takes=$(printf '%s\n' "$help" | _radioprog_value_options)
    # An option's value: "--out NEW" or "--out=NEW".
    if [[ $prev == = && ${words[cword - 2]} == --* ]]; then
        option=${words[cword - 2]}
    elif [[ $cur == --*=* ]]; then
        option=${cur%%=*}
        cur=${cur#*=}
    elif [[ $prev == --* ]]; then
        option=$prev
    fi
    if [[ -n $option ]]; then
        name=$(printf '%s\n' "$takes" | sed -n "s/^$option \(.*\)/\1/p" | head -n 1)
        if [[ -n $name ]]; then
            _radioprog_value "$option" "$name" "$program"
            return
        fi
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(printf '%s\n' "$help" | _radioprog_options)" -- "$cur"))
        return
    fi
    # Which argument this is: options and their values do not count.
    for ((i = first; i < cword; i++)); do
        case ${words[i]} in
            --*=* | =) ;;
            --*) printf '%s\n' "$takes" | grep -q "^${words[i]} " && ((i++)) ;;
            -*) ;;
            *) ((position++)) ;;
        esac
    done
    if [[ $files == usage ]]; then
        arguments=($(printf '%s\n' "$help" | _radioprog_arguments))
        name=${arguments[position]}
        case $name in
            "") ;;
            *.csv) _radioprog_files csv ;;
            *) _radioprog_files dat ;;
        esac
    elif [[ -n $files ]]; then
        _radioprog_files $files
    fi
}

_radioprog_cli()
{
    local cur prev words cword command="" i
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
    cur=${words[cword]}
    prev=${words[cword - 1]}
    local program=${words[0]}
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            -*) ;;
            *) command=${words[i]}; break ;;
        esac
    done
    COMPREPLY=()
    if [[ -z $command || ($command == help && $cword -eq $((i + 1))) ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$("$program" --help 2>/dev/null | _radioprog_options)" -- "$cur"))
        else
            # Command lines of the list are indented by two spaces, their summaries by more.
            local commands
            commands=$("$program" --help 2>/dev/null |
                sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z0-9-]*\).*/\1/p')
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return 0
    fi
    [[ $command == help ]] && return 0
    _radioprog_complete_with radioprog-cli "$("$program" "$command" --help 2>/dev/null)" usage $((i + 1))
    return 0
} &&
    complete -F _radioprog_cli radioprog-cli

_radioprog_gui()
{
    local cur prev words cword
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
    cur=${words[cword]}
    prev=${words[cword - 1]}
    COMPREPLY=()
    _radioprog_complete_with radioprog "$("${words[0]}" --help 2>/dev/null)" "dat csv" 1
    return 0
} &&
    complete -F _radioprog_gui radioprog

_radiosim()
{
    local cur prev words cword
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
    cur=${words[cword]}
    prev=${words[cword - 1]}
    COMPREPLY=()
    _radioprog_complete_with radiosim "$("${words[0]}" --help 2>/dev/null)" "" 1
    return 0
} &&
    complete -F _radiosim radiosim
