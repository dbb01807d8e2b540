#!/usr/bin/env bash
# Runs the step of ./test that installs the test packages and unpacks the test servers,
# into a fresh folder, and fails when it left the machine an FTP or SSH server package,
# a new account or group, a service started at boot or a run-level link, or lacks a server.
# Usage: test_dependencies_stay_private.sh SOURCE_DIR
set -euo pipefail
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
export GRAVMARK_TEST_SERVERS=$SCRATCH/servers
ROOT=$1
source "$ROOT/tools/deps.sh"

machine_state() {
    cat /etc/passwd /etc/group
    find /etc/systemd/system /etc/rc?.d /etc/init.d /usr/sbin/policy-rc.d 2>/dev/null | sort
}
machine_state >"$SCRATCH/before"
install_test_dependencies
machine_state >"$SCRATCH/after"

status=0
diff "$SCRATCH/before" "$SCRATCH/after" || { echo "the machine gained the lines above" >&2; status=1; }
for package in "${TEST_SERVER_PACKAGES[@]}"; do
    if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        echo "$package is installed as a system package" >&2
        status=1
    fi
done
for program in "${TEST_SERVER_PROGRAMS[@]}"; do
    [ -e "$GRAVMARK_TEST_SERVERS/$program" ] || { echo "no $program in the private folder" >&2; status=1; }
done
exit $status
