# bash completion for rqm27-cli: the commands, each command's options, the formats after
# --from and --to, the variants after --variant, the serial devices and "sim" after --port,
# and file names everywhere else.

_rqm27_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local commands="convert show diff read write verify simulate ports help"
  local formats="bin json m27 csv multicsv"
  COMPREPLY=()

  # "--opt=value": readline splits at "=", so the option is a word or two back.
  local after_equals=0
  if [[ $cur == "=" ]]; then
    cur="" after_equals=1
  elif [[ $prev == "=" && $COMP_CWORD -ge 2 ]]; then
    prev=${COMP_WORDS[COMP_CWORD - 2]} after_equals=1
  fi

  case $prev in
    --from | --to)
      mapfile -t COMPREPLY < <(compgen -W "$formats" -- "$cur")
      return ;;
    --variant)
      mapfile -t COMPREPLY < <(compgen -W "J E T K" -- "$cur")
      return ;;
    --verify)
      # A plain --verify is a flag and the image follows; only --verify= takes a value.
      if ((after_equals)); then
        mapfile -t COMPREPLY < <(compgen -W "full" -- "$cur")
        return
      fi ;;
    --port)
      local devices=(/dev/ttyUSB* /dev/ttyACM* /dev/ttyS*)
      mapfile -t COMPREPLY < <(compgen -W "sim ${devices[*]}" -- "$cur")
      # An unmatched glob stays as itself; take it out.
      local i
      for i in "${!COMPREPLY[@]}"; do
        [[ ${COMPREPLY[i]} == *'*' ]] && unset 'COMPREPLY[i]'
      done
      return ;;
    --first-slot | --baud | --im-delay | --silent-after | --refuse-writes-at | \
      --garble-reply | --pieces | --piece-delay | --close-after)
      return ;;
  esac

  if ((COMP_CWORD == 1)); then
    mapfile -t COMPREPLY < <(compgen -W "$commands --help --version" -- "$cur")
    return
  fi

  local command=${COMP_WORDS[1]} options
  case $command in
    convert) options="--from --to --base --first-slot" ;;
    show) options="--json --from" ;;
    diff) options="--json --from" ;;
    read) options="--port --variant --stats --to" ;;
    write) options="--port --variant --stats --from --backup --verify --verify=full" ;;
    verify) options="--port --variant --stats --from --json" ;;
    simulate) options="--memory --save --variant --baud --im-delay --silent-after
                       --refuse-writes-at --garble-reply --pieces --piece-delay --close-after" ;;
    ports) options="--json" ;;
    help)
      ((COMP_CWORD == 2)) && mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
      return ;;
    *) return ;;
  esac

  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$options --help" -- "$cur")
    return
  fi
  case $command in
    simulate | ports) return ;;
  esac
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -F _rqm27_cli rqm27-cli
