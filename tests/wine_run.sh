#!/bin/sh
# Runs the Windows build of the tool under Wine, for the tests' WAVSLICE_TOOL:
# WAVSLICE_WINE is the Wine loader, WAVSLICE_WINDOWS_EXE the cross-built wavslice.exe.
exec "$WAVSLICE_WINE" "$WAVSLICE_WINDOWS_EXE" "$@"
