# The wine prefix of the Windows tests ($WINEPREFIX): "start" makes it when it is missing,
# which takes some 16 s once, and keeps a wine server up for the tests; "stop" ends that server.
# Wine's null display driver gives the programs their (hidden) windows without an X server.
set -eu
case "$1" in
  start)
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      started=$SECONDS
      wineboot -i >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
      wineserver -w
      echo "made the wine prefix $WINEPREFIX in $((SECONDS - started)) s"
    fi
    # The server and wine's own services (started here by wineboot) outlive this script:
    # their output goes nowhere, since a process holding a test's output open holds up ctest.
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot </dev/null >/dev/null 2>&1
    ;;
  stop)
    wineserver -k || true
    ;;
esac
