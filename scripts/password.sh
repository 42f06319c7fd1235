# Sourced by scripts/package and scripts/sign.
# read_password FROM PROMPT: reads the signing password once from FROM (a
# file, /dev/fd/N, or - for standard input, asked without echo at a
# terminal) into a private file, removed on exit, and sets $password_file.
# The first line is the password, byte for byte, as pass(1) takes it. A pipe
# gives its text only once, and a password never goes on a command line,
# into the environment or into a message.
read_password() {
  local line=""
  secret=$(mktemp -d)
  trap 'rm -rf "$secret"' EXIT
  trap 'exit 130' INT TERM HUP
  password_file=$secret/password
  if [ "$1" = - ] && [ -t 0 ]; then
    IFS= read -rsp "$2: " line || true; echo >&2
  elif [ "$1" = - ]; then
    IFS= read -r line || true
  else
    { IFS= read -r line <"$1"; } 2>/dev/null || true
  fi
  # Before anything is built: Enter, Ctrl-D or blanks sign nothing.
  [[ $line = *[![:space:]]* ]] ||
    { echo "${0##*/}: no password read (from a file, /dev/fd/N or - for standard input)" >&2; exit 1; }
  (umask 077 && printf '%s\n' "$line" >"$password_file")
}
