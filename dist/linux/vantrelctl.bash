# bash completion for vantrelctl
_vantrelctl() {
  local cur prev words cword
  COMPREPLY=()
  # Without the bash-completion package, the words as bash gives them.
  _init_completion 2>/dev/null || {
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
  }
  local commands="list info get set button profile pair reset firmware watch help"
  local settings="dpi dpi-levels dpi-level dpi-colour polling lift-off debounce power-down
    motion-wakeup lights-off-moving angle-snap motion-sync ripple-control lighting-effect
    lighting-brightness lighting-speed lighting-direction lighting-colour buttons"
  local globals="--json --simulate --sim-log= --data= --wait= --help --version"
  local command="" i
  for ((i = 1; i < cword; i++)); do
    case ${words[i]} in
      -*) ;;
      *) command=${words[i]}; break ;;
    esac
  done
  if [[ $cur == --data=* || $cur == --sim-log=* || $cur == --simulate=* ]]; then
    local prefix=${cur%%=*}=
    COMPREPLY=($(compgen -f -P "$prefix" -- "${cur#*=}"))
    return
  fi
  if [[ $cur == -* ]]; then
    local own=""
    case $command in
      list) own="--all" ;;
      profile) own="--slot=" ;;
      reset) own="--yes" ;;
      watch) own="--count= --seconds=" ;;
    esac
    COMPREPLY=($(compgen -W "$globals $own" -- "$cur"))
    return
  fi
  case $command in
    "") COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
    get | set)
      [[ $prev == "$command" ]] && COMPREPLY=($(compgen -W "$settings" -- "$cur")) ;;
    profile)
      if [[ $prev == profile ]]; then
        COMPREPLY=($(compgen -W "list switch export apply" -- "$cur"))
      elif [[ $prev == apply || ${words[cword - 2]} == export ]]; then
        COMPREPLY=($(compgen -f -- "$cur"))
      fi ;;
    firmware) [[ $prev == firmware ]] && COMPREPLY=($(compgen -W "update" -- "$cur")) ;;
    help) COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
  esac
}
complete -F _vantrelctl vantrelctl
