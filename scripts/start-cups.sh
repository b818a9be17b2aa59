#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A private CUPS scheduler for the tests, so that a test can print for real
# without touching the machine's own printing system (/etc/cups, /var/spool/cups,
# /run/cups, port 631):
#
#   start-cups.sh FOLDER          starts it and prints its CUPS_SERVER (the socket)
#   start-cups.sh --stop FOLDER   stops it
#
# Everything lives below FOLDER: etc/ (its configuration), spool/ (the jobs;
# each printed document stays there as d<job>-001), cache/, state/, log/ and
# the socket cups.sock, the only place it listens. Its one queue "kvtest" is
# the default: raw, so the document is kept as the program sent it, and
# printed to /dev/null. Needs the Debian packages cups-daemon and cups-client.
set -euo pipefail

usage() {
  echo "usage: $0 [--stop] FOLDER" >&2
  exit 64
}
stop=false
if [[ ${1:-} == --stop ]]; then
  stop=true
  shift
fi
(($# == 1)) || usage
mkdir -p "$1"
folder=$(cd "$1" && pwd)
socket=$folder/cups.sock
pid_file=$folder/cupsd.pid
marker=$folder/.kv-cups  # the script clears FOLDER only when it made it

# Stops the scheduler started on FOLDER, if it still runs.
stop_cupsd() {
  [[ -f $pid_file ]] || return 0
  local pid
  pid=$(<"$pid_file")
  # Only a cupsd on this folder's configuration, never a process that took its number since.
  if [[ $pid =~ ^[0-9]+$ ]] &&
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- "-c $folder/etc/cupsd.conf "; then
    kill -TERM "$pid" 2>/dev/null || true
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
  fi
  rm -f "$pid_file"
}

if $stop; then
  stop_cupsd
  exit 0
fi

fail() {
  echo "$0: $*" >&2
  exit 1
}
PATH=$PATH:/usr/sbin:/sbin  # cupsd and lpadmin, for callers other than root too
for tool in cupsd lpadmin lpstat; do
  command -v "$tool" >/dev/null || fail "$tool is missing (Debian packages cups-daemon, cups-client)"
done
# The configuration files cannot quote a path, and a socket path has at most 107 bytes.
[[ $folder != *[[:space:]]* ]] || fail "the folder \"$folder\" has a space in its path"
((${#socket} < 100)) || fail "the folder \"$folder\" is too deep for a socket path"
[[ -z $(ls -A "$folder") || -e $marker ]] ||
  fail "$folder holds files this script did not make; give it an empty or new folder"

# A fresh start: no job, queue or log of an earlier run.
stop_cupsd
rm -rf "${folder:?}"/{etc,spool,cache,state,log} "$socket"
touch "$marker"

# cupsd runs as root, runs its helpers as User and insists that its folders
# belong to root and User's group with its own modes (as the Debian package
# sets them up below /var). Run by another user, it keeps that user's rights
# and needs folders of that user.
if (($(id -u) == 0)); then
  user=lp group=lp
else
  user=$(id -un) group=$(id -gn)
fi
install -d -m 0755 -g "$group" "$folder/etc" "$folder/etc/ppd" "$folder/state"
install -d -m 0710 -g "$group" "$folder/spool"
install -d -m 1770 -g "$group" "$folder/spool/tmp"
install -d -m 0770 -g "$group" "$folder/cache"
install -d -m 0755 "$folder/log"

# Every folder and file below FOLDER; no TLS keys (only the local socket
# answers); file:///dev/null is always a permitted device.
cat >"$folder/etc/cups-files.conf" <<EOF
ServerRoot $folder/etc
RequestRoot $folder/spool
TempDir $folder/spool/tmp
CacheDir $folder/cache
StateDir $folder/state
ServerKeychain $folder/etc/ssl
CreateSelfSignedCerts no
Printcap $folder/state/printcap
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
User $user
Group $group
SystemGroup $(id -gn)
PeerCred on
EOF

# Only the socket, no browsing or sharing; documents and jobs are kept, and a
# failed job does not stop the queue. Anyone who reaches the socket may do anything.
cat >"$folder/etc/cupsd.conf" <<EOF
Listen $socket
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel info
PreserveJobFiles Yes
PreserveJobHistory Yes
MaxJobs 0
ErrorPolicy abort-job
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
chmod 0640 "$folder/etc/cupsd.conf" "$folder/etc/cups-files.conf"
chgrp "$group" "$folder/etc/cupsd.conf" "$folder/etc/cups-files.conf"

# AppArmor (on by default on a Debian 12 machine, not in a container) holds
# /usr/sbin/cupsd to the system's folders; a copy of it is not under that profile.
cupsd=$(command -v cupsd)
if grep -qs "^$cupsd (enforce)" /sys/kernel/security/apparmor/profiles; then
  cp "$cupsd" "$folder/state/cupsd"
  cupsd=$folder/state/cupsd
fi

# In the foreground of a session of its own, without the caller's output, so
# that a caller reading this script's output does not wait for it.
setsid "$cupsd" -f -c "$folder/etc/cupsd.conf" -s "$folder/etc/cups-files.conf" \
  </dev/null >"$folder/log/cupsd.out" 2>&1 &
echo $! >"$pid_file"

# lpstat ends with status 0 whether or not the scheduler answers.
answers() { LC_ALL=C lpstat -h "$socket" -r 2>/dev/null | grep -qx "scheduler is running"; }
for _ in $(seq 100); do
  answers && break
  kill -0 "$(<"$pid_file")" 2>/dev/null || break
  sleep 0.1
done
if ! answers; then
  echo "$0: cupsd did not start:" >&2
  cat "$folder/log/cupsd.out" "$folder/log/error_log" >&2 2>/dev/null || true
  stop_cupsd
  exit 1
fi

lpadmin -h "$socket" -p kvtest -E -v file:///dev/null
lpadmin -h "$socket" -d kvtest
echo "$socket"
