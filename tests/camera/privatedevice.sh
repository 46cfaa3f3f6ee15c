#!/bin/sh
# Runs a command with a stand-in camera at /dev/video0 that only it sees: a
# FIFO in a private mount namespace whose /dev is an overlay of the host's.
# The host's /dev is never written, so a crashed run leaves nothing behind.
# Where that is not allowed (no root, no namespaces) the command runs
# without the stand-in and says why it skips.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/upper" "$dir/work"
if unshare --mount --propagation private true 2>/dev/null; then
    unshare --mount --propagation private sh -c '
        dir=$1
        shift
        if ! mount -t overlay overlay -o "lowerdir=/dev,upperdir=$dir/upper,workdir=$dir/work" /dev \
            || ! { [ -e /dev/video0 ] || mkfifo -m 600 /dev/video0; }; then
            echo "privatedevice.sh: no private /dev for the stand-in camera" >&2
        fi
        exec "$@"' sh "$dir" "$@"
else
    echo "privatedevice.sh: no private mount namespace for the stand-in camera" >&2
    "$@"
fi
