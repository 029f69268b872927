# bash completion for varn-cli and varn (Varn SE)              -*- shell-script -*-
#
# Installed as completions/varn-cli and completions/varn; either name defines
# both. Works with the bash-completion package (file names with blanks and
# quotes are then completed as its own commands do) and without it.

_varn_cli_commands="new info add build tech examples list templates entities show edit reuse
    delete depend attributes regenerate model generate export import trace baseline diff suspects
    quality impact check label normalize"

# The options of a command, and which of them are switches (take no value).
_varn_cli_options()
{
    local attributes="--preamble --category --priority --release --paragraph --comments"
    case $1 in
    new) echo "--system --workspace --server" ;;
    info | examples | regenerate) echo "--workspace" ;;
    add) echo "--workspace --template --field --value $attributes" ;;
    build) echo "--workspace --term $attributes" ;;
    tech) echo "--workspace --text $attributes" ;;
    list) echo "--workspace --type --entity --number --paragraph --template --version --text
        --sort --desc --format" ;;
    templates) echo "--number" ;;
    entities) echo "--workspace --entity" ;;
    show) echo "--workspace --number" ;;
    edit | reuse) echo "--workspace --number --field --value --text $attributes" ;;
    delete) echo "--workspace --number --yes" ;;
    depend) echo "--workspace --parent --dependent --clear" ;;
    attributes) echo "--workspace --number --paragraph --category --priority --release
        --comments" ;;
    model) echo "--workspace --language" ;;
    generate) echo "--workspace --verbose --check" ;;
    export) echo "--workspace --output --all" ;;
    import) echo "--workspace --input --specification --dry-run --delete-missing" ;;
    trace) echo "--workspace --number --entity" ;;
    baseline) echo "--workspace --name --comment" ;;
    diff) echo "--workspace --from --to --format" ;;
    suspects) echo "--workspace --number --dependent --cleared" ;;
    quality) echo "--workspace --number --text --format --rule --reason --words --on --off --add
        --remove" ;;
    impact) echo "--workspace --number --format" ;;
    check) echo "--composing" ;;
    normalize) echo "--name" ;;
    esac
}
_varn_cli_switches=" --desc --yes --clear --verbose --check --all --dry-run --delete-missing --composing --name --cleared --on --off "
_varn_cli_repeatable=" --field --value --term --dependent "

# The words that name what a command works on, before its options.
_varn_cli_subjects()
{
    case $1 in
    model) echo "classes class tables" ;;
    generate) echo "sql cpp java" ;;
    export) echo "reqif csv html odt xlsx" ;;
    import) echo "reqif csv xlsx" ;;
    baseline) echo "create list delete" ;;
    suspects) echo "clear" ;;
    quality) echo "accept accepted rules rule words" ;;
    esac
}

# Files whose names end in one of the extensions (a|b), and folders.
_varn_cli_files()
{
    local cur=$1 extensions=$2
    if declare -F _filedir >/dev/null; then
        _filedir "$extensions"
        return
    fi
    compopt -o filenames 2>/dev/null
    local IFS=$'\n' folders files
    folders=$(compgen -d -- "$cur")
    if [[ -n $extensions ]]; then
        files=$(shopt -s extglob
            compgen -f -X "!*.@($extensions|${extensions^^})" -- "$cur")
    else
        files=$(compgen -f -- "$cur")
    fi
    COMPREPLY=($(printf '%s\n' $folders $files | sort -u))
}

# The template number given so far, if any.
_varn_cli_template()
{
    local i
    for ((i = 2; i < cword; i++)); do
        [[ ${words[i]} == --template ]] && echo "${words[i + 1]}"
    done
}

# Words that may hold blanks, one a line, quoted as the shell reads them back.
_varn_cli_phrases()
{
    local phrase
    COMPREPLY=()
    while IFS= read -r phrase; do
        [[ $phrase == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$phrase")")
    done <<<"$1"
}

_varn_cli()
{
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion -n = || return
    else
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
        cur=${COMP_WORDS[COMP_CWORD]}
        prev=${COMP_WORDS[COMP_CWORD - 1]}
    fi

    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$_varn_cli_commands --help --version" -- "$cur"))
        return
    fi
    local command=${words[1]}

    # The value of the option before the cursor.
    case $prev in
    --workspace)
        _varn_cli_files "$cur" vnp
        return
        ;;
    --input)
        case ${words[2]} in
        reqif) _varn_cli_files "$cur" "reqif|reqifz" ;;
        csv) _varn_cli_files "$cur" csv ;;
        xlsx) _varn_cli_files "$cur" xlsx ;;
        *) _varn_cli_files "$cur" "" ;;
        esac
        return
        ;;
    --output)
        _varn_cli_files "$cur" ""
        return
        ;;
    --template)
        if [[ $command == list ]]; then
            COMPREPLY=($(compgen -W "$(seq 0 22)" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$(seq 1 22)" -- "$cur"))
        fi
        return
        ;;
    --number)
        [[ $command == templates ]] && COMPREPLY=($(compgen -W "$(seq 1 22)" -- "$cur"))
        return
        ;;
    --preamble)
        COMPREPLY=($(compgen -W "0 1 2 3 4 5 6" -- "$cur"))
        return
        ;;
    --priority | --release)
        COMPREPLY=($(compgen -W "$(seq 1 9)" -- "$cur"))
        return
        ;;
    --format)
        if [[ $command == diff ]]; then
            COMPREPLY=($(compgen -W "text json html" -- "$cur"))
        elif [[ $command == quality || $command == impact ]]; then
            COMPREPLY=($(compgen -W "text json" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "table csv json" -- "$cur"))
        fi
        return
        ;;
    --type)
        COMPREPLY=($(compgen -W "functional structural technical suspect" -- "$cur"))
        return
        ;;
    --rule)
        COMPREPLY=($(compgen -W "vague-term escape-clause open-ended placeholder
            superfluous-infinitive pronoun absolute temporal-vague comparative compound passive
            number-without-unit duplicate near-duplicate value-conflict definition-conflict
            dependency-cycle" -- "$cur"))
        return
        ;;
    --language)
        COMPREPLY=($(compgen -W "cpp java" -- "$cur"))
        return
        ;;
    --sort)
        _varn_cli_phrases "$(printf '%s\n' No. Type Source Category Priority Release Version \
            Paragraph Requirement 'Orig No.' 'Date Saved' Comments)"
        return
        ;;
    --term)
        compopt -o nospace 2>/dev/null
        COMPREPLY=($(compgen -W "k= d= u= q= v= a= s= g= p= t= e= c= temporal= transition=
            relational= possessive= logical= event= associative= external=" -- "$cur"))
        return
        ;;
    --field)
        local names
        case $(_varn_cli_template) in
        19) names="Article Type Entity StateValue Attribute ValueGroup DataType Default" ;;
        20) names="Article Type Entity HowMany Cardinality PartType PartEntity" ;;
        21) names="Type Entity" ;;
        22) names="Article Message Field Position DataType From To" ;;
        esac
        compopt -o nospace 2>/dev/null
        [[ -n $names ]] && COMPREPLY=($(compgen -W "$(printf '%s= ' $names)" -- "$cur"))
        return
        ;;
    --*)
        # Any other option takes a text of the user's own.
        [[ $_varn_cli_switches == *" $prev "* ]] || return
        ;;
    esac

    local subjects
    subjects=$(_varn_cli_subjects "$command")
    if [[ -n $subjects && $cword == 2 && $cur != -* ]]; then
        COMPREPLY=($(compgen -W "$subjects" -- "$cur"))
        return
    fi

    # The command's options, less those given already that are given once.
    local option offered=()
    for option in $(_varn_cli_options "$command"); do
        if [[ $_varn_cli_repeatable != *" $option "* ]]; then
            local i given=
            for ((i = 2; i < cword; i++)); do
                [[ ${words[i]} == "$option" ]] && given=1
            done
            [[ -n $given ]] && continue
        fi
        offered+=("$option")
    done
    COMPREPLY=($(compgen -W "${offered[*]}" -- "$cur"))
}
complete -F _varn_cli varn-cli

_varn()
{
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        _init_completion -n = || return
    else
        cur=${COMP_WORDS[COMP_CWORD]}
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--help --help-all --version" -- "$cur"))
        return
    fi
    _varn_cli_files "$cur" vnp
}
complete -F _varn varn
