# bash completion for tessaro-cli: its options, the languages of --lang=, a
# folder after --out-dir, .aac and .wav files (and folders on the way), and
# - (standard input or output) where the one-file forms take it.
# Installed as share/bash-completion/completions/tessaro-cli; by hand:
#   source tessaro-cli.bash

# The files a word may begin, keeping .aac, .wav and folders. Before "--"
# (the second argument empty) a name that begins with "-" is offered as
# ./-name, which is not read as an option.
_tessaro_cli_files() {
  local name
  while IFS= read -r name; do
    if [[ -d $name || $name == *.aac || $name == *.wav ]]; then
      [[ -z $2 && $name == -* ]] && name=./$name
      COMPREPLY+=("$name")
    fi
  done < <(compgen -f -- "$1")
  compopt -o filenames 2>/dev/null
}

# Adds - for the word -, unless --batch or --check is among the words: only
# the one-file forms take it.
_tessaro_cli_dash() {
  [[ $1 == - ]] || return
  local w
  for w in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
    [[ $w == --batch || $w == --check ]] && return
  done
  COMPREPLY+=(-)
}

_tessaro_cli() {
  local word=${COMP_WORDS[COMP_CWORD]}
  local prev=${COMP_WORDS[COMP_CWORD - 1]}
  local before=''
  ((COMP_CWORD > 1)) && before=${COMP_WORDS[COMP_CWORD - 2]}
  COMPREPLY=()
  # After "--" every word is a file.
  local i
  for ((i = 1; i < COMP_CWORD; i++)); do
    if [[ ${COMP_WORDS[i]} == -- ]]; then
      _tessaro_cli_files "$word" ended
      _tessaro_cli_dash "$word"
      return
    fi
  done
  # "=" breaks words: "--lang=e" comes as "--lang" "=" "e", unless the
  # user's COMP_WORDBREAKS keeps it whole.
  local option='' value='' prefix=''
  if [[ $word == = ]]; then
    option=$prev
  elif [[ $prev == = ]]; then
    option=$before value=$word
  elif [[ $word == --*=* ]]; then
    option=${word%%=*} value=${word#*=} prefix=${word%%=*}=
  fi
  case $option in
    --lang)
      mapfile -t COMPREPLY < <(compgen -P "$prefix" -W "ja en" -- "$value")
      return
      ;;
    --out-dir)
      mapfile -t COMPREPLY < <(compgen -P "$prefix" -d -- "$value")
      compopt -o filenames 2>/dev/null
      return
      ;;
  esac
  if [[ $prev == --out-dir ]]; then
    mapfile -t COMPREPLY < <(compgen -d -- "$word")
    compopt -o filenames 2>/dev/null
    return
  fi
  if [[ $word == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "-s1 -s2 -d --for-editors --batch --out-dir --check --json
      --lang= -h --help -V --version --" -- "$word")
    # "--lang=" and "-d" take their value joined.
    if [[ ${#COMPREPLY[@]} -eq 1 && (${COMPREPLY[0]} == --lang= || ${COMPREPLY[0]} == -d) ]]; then
      compopt -o nospace 2>/dev/null
    fi
    _tessaro_cli_dash "$word"
    return
  fi
  _tessaro_cli_files "$word" ''
}

complete -F _tessaro_cli tessaro-cli
