# Sourced first by test scripts that drive the program's own file dialog and need a D-Bus session
# (for the accessibility bus): runs the script again inside a session bus of its own that can
# start the accessibility bus but no desktop portal, so that the program takes its own dialog
# even where a portal is installed.
if [ -z "${VELLUM_OWN_BUS:-}" ]; then
    VELLUM_BUS_DIR=$(mktemp -d)
    mkdir "$VELLUM_BUS_DIR/services"
    ln -s /usr/share/dbus-1/services/org.a11y.Bus.service "$VELLUM_BUS_DIR/services/"
    cat >"$VELLUM_BUS_DIR/session.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=$VELLUM_BUS_DIR</listen>
  <servicedir>$VELLUM_BUS_DIR/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    export VELLUM_BUS_DIR
    exec env VELLUM_OWN_BUS=1 dbus-run-session --config-file="$VELLUM_BUS_DIR/session.conf" -- \
        bash "$0" "$@"
fi
