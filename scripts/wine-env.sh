# Sourced: confines every Wine run to the build tree. Needs BUILD (absolute path of the build root).
: "${BUILD:?BUILD must be set}"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export TMPDIR="$BUILD/tmp"
export HOME="$BUILD/home"
export XDG_DATA_HOME="$BUILD/home/.local/share"
export XDG_CONFIG_HOME="$BUILD/home/.config"
export XDG_CACHE_HOME="$BUILD/home/.cache"
mkdir -p "$TMPDIR" "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
