# Sourced by the scripts that run Windows programs: one quiet 32-bit Wine
# prefix per machine, kept outside the checkout.
export LEDSUITE_CACHE=${LEDSUITE_CACHE:-$HOME/.cache/ledsuite}
export WINEARCH=win32
export WINEPREFIX=${LEDSUITE_WINEPREFIX:-$LEDSUITE_CACHE/wine-prefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
