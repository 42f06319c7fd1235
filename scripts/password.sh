# Sourced by scripts/package and scripts/sign.
# read_password FROM PROMPT: reads the signing password once from FROM (a
# file, /dev/fd/N, or - for standard input, asked without echo at a
# terminal) into a private file, removed on exit, and sets $password_file.
# A pipe gives its text only once, and a password never goes on a command
# line or into the environment.
read_password() {
  secret=$(mktemp -d)
  trap 'rm -rf "$secret"' EXIT
  trap 'exit 130' INT TERM HUP
  password_file=$secret/password
  : >"$password_file" && chmod 600 "$password_file"
  if [ "$1" = - ] && [ -t 0 ]; then
    local line
    read -rsp "$2: " line && echo >&2
    printf '%s\n' "$line" >>"$password_file"
  elif [ "$1" = - ]; then
    cat >>"$password_file"
  else
    cat -- "$1" >>"$password_file"
  fi
  # Before anything is built: an empty pipe or Ctrl-D signs nothing.
  [ -s "$password_file" ] || { echo "${0##*/}: no password read from $1" >&2; exit 1; }
}
