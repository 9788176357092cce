# SPDX-License-Identifier: GPL-3.0-or-later
# fish completion for radioprog-cli, radioprog and radiosim, read from the programs' own
# --help as the bash completion is (see radioprog-cli.bash there for what each argument
# offers); --port also shows the device behind each port that radioprog-cli ports finds
# (which opens no port: completing must not raise DTR and RTS on a cable).
# Installed once per program name; each copy completes all three.

function __radioprog_option_specs
    printf '%s\n' $argv | sed -n '/^Options:/,/^$/s/^ \{1,8\}\(-[A-Za-z], \)\{0,1\}--\([a-z][a-z0-9-]*\)\( [^ -][^ ]*\)\{0,1\}  *\(.*\)/--\2\t\4/p'
end

function __radioprog_value_options
    printf '%s\n' $argv | sed -n '/^Options:/,/^$/s/^ \{1,8\}\(-[A-Za-z], \)\{0,1\}\(--[a-z][a-z0-9-]*\) \([^ -][^ ]*\).*/\2 \3/p'
end

function __radioprog_arguments
    printf '%s\n' $argv | sed -n '1{s/^Usage: [^ ]* [^ ]*//; s/\[[^]]*\]//g; s/--*[a-z][a-z0-9-]* [A-Z][^ ]*//g; s/ --*[a-z][a-z0-9-]*//g; p;}' | string split -n ' '
end

# Files in the folder of the word typed whose names end in one of the extensions (any case),
# and folders.
function __radioprog_files --argument-names current
    set -l extensions $argv[2..-1]
    set -l dir (string match -r '.*/' -- $current)
    for path in "$dir"*
        if test -d $path
            echo $path/
        else if test (count $extensions) -eq 0
            echo $path
        else
            for extension in $extensions
                string match -qi "*.$extension" -- $path; and echo $path
            end
        end
    end
end

function __radioprog_value --argument-names option name program current
    switch $option
        case --port
            set -l prefix (string match -r '.*,' -- $current)
            set -l found
            for line in (radioprog-cli ports 2>/dev/null)
                set -l parts (string match -r '^COM([0-9]+)\s+(.*)$' -- $line)
                and set found[$parts[2]] $parts[3]
            end
            for n in (seq 1 20)
                if set -q found[$n]; and test -n "$found[$n]"
                    printf '%s%s\t%s\n' "$prefix" $n $found[$n]
                else
                    printf '%s%s\n' "$prefix" $n
                end
            end
            return
        case --device
            set -l devices /dev/ttyUSB* /dev/ttyACM* /dev/ttyS* /dev/serial/by-id/*
            if test (count $devices) -gt 0
                printf '%s\n' $devices
            else
                __radioprog_files $current
            end
            return
        case --load --save
            if test $program = radiosim
                __radioprog_files $current dat
                return
            end
    end
    switch $name
        case '*.dat'
            __radioprog_files $current dat
        case '*.csv'
            __radioprog_files $current csv
        case '*.pdf'
            __radioprog_files $current pdf
        case FILE PATH
            __radioprog_files $current
    end
end

function __radioprog_complete
    set -l words (commandline -opc)
    set -l current (commandline -ct)
    set -l program (basename -- $words[1])
    set -l first 2
    set -l help
    set -l files usage
    switch $program
        case radioprog-cli
            set -l command
            for i in (seq 2 (count $words))
                if not string match -q -- '-*' $words[$i]
                    set command $words[$i]
                    set first (math $i + 1)
                    break
                end
            end
            if test -z "$command"; or begin; test $command = help; and test $first -gt (count $words); end
                if string match -q -- '-*' $current
                    __radioprog_option_specs ($words[1] --help 2>/dev/null)
                else
                    $words[1] --help 2>/dev/null | sed -n '/^Commands:/,/^$/{/^  [a-z]/{s/^  \([a-z][a-z0-9-]*\).*/\1/;h;d;};/^      [^ []/{s/^ *//;H;x;s/\n/\t/;p;};}'
                end
                return
            end
            test $command = help; and return
            set help ($words[1] $command --help 2>/dev/null)
        case radioprog
            set help ($words[1] --help 2>/dev/null)
            set files dat csv
        case '*'
            set help ($words[1] --help 2>/dev/null)
            set files
    end
    set -l takes (__radioprog_value_options $help)
    set -l option
    set -l value_prefix
    if string match -q -- '--*=*' $current
        set option (string split -m 1 = -- $current)[1]
        set value_prefix $option=
        set current (string split -m 1 = -- $current)[2]
    else if test (count $words) -ge $first; and string match -q -- '--*' $words[-1]
        set option $words[-1]
    end
    if test -n "$option"
        set -l name (string replace -rf "^$option " '' -- $takes)[1]
        if test -n "$name"
            for candidate in (__radioprog_value $option $name $program $current)
                echo "$value_prefix$candidate"
            end
            return
        end
    end
    if string match -q -- '-*' $current
        __radioprog_option_specs $help
        return
    end
    set -l position 0
    set -l skip 0
    for word in $words[$first..-1]
        if test $skip -eq 1
            set skip 0
        else if string match -q -- '--*=*' $word
        else if string match -q -- '-*' $word
            string match -q -- "$word *" $takes; and set skip 1
        else
            set position (math $position + 1)
        end
    end
    if test "$files" = usage
        set -l arguments (__radioprog_arguments $help)
        set -l name $arguments[(math $position + 1)]
        switch "$name"
            case ''
            case '*.csv'
                __radioprog_files $current csv
            case '*'
                __radioprog_files $current dat
        end
    else if test -n "$files"
        __radioprog_files $current $files
    end
end

for program in radioprog-cli radioprog radiosim
    complete -c $program -f -a '(__radioprog_complete)'
end
