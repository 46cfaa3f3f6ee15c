#!/bin/sh
# Starts TAVIRO in its own data folder: the client keeps its state relative
# to the working directory, and the home folder is no place for it.
set -e

case "${XDG_DATA_HOME:-}" in
    /*) data_home=$XDG_DATA_HOME ;;
    *) data_home=${HOME:?HOME is not set}/.local/share ;;
esac
state=$data_home/taviro

# Owner-only: the folder holds the signed-in account's token.
if [ ! -d "$state" ]; then
    (umask 077 && mkdir -p "$state")
fi

app=$(dirname "$(readlink -f "$0")")/../lib/taviro/bin/taviro
cd "$state"
exec "$app" "$@"
