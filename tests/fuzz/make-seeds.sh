#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes small seed inputs for the fuzz targets of this folder into CORPUS/<target>/:
# make-seeds.sh CORPUS SIMULATOR. Reply seeds follow chunked_transport.h: each
# reply is a little-endian length word and its bytes; 0xF000 on is a failed read.
set -euo pipefail
corpus=$1
sim=$2
here=$(dirname "$0")
mkdir -p "$corpus"/{readers,controller_files,settings,workbook}

# A little-endian 16-bit or 32-bit number as printf escapes.
le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { printf '%s%s' "$(le16 $(($1 & 0xFFFF)))" "$(le16 $(($1 >> 16 & 0xFFFF)))"; }
double_one='\x00\x00\x00\x00\x00\x00\xf0\x3f'
double_half='\x00\x00\x00\x00\x00\x00\xe0\x3f'

# reply LENGTH [AT BYTES]...: a reply of LENGTH zero bytes but for BYTES (printf
# escapes) at each offset AT.
reply() {
  local length=$1 buffer
  shift
  buffer=$(mktemp)
  head -c "$length" /dev/zero >"$buffer"
  while (($#)); do
    printf %b "$2" | dd of="$buffer" bs=1 seek="$1" conv=notrunc status=none
    shift 2
  done
  printf %b "$(le16 "$length")"
  cat "$buffer"
  rm "$buffer"
}
failed() { printf %b "$(le16 $((0xF000 + $1)))"; }  # 0 no answer, 1 link failed, 2 late

# A whole read that succeeds (firmware 1103, metric, set A), then each reader.
{
  printf '\x0c\x00'
  reply 211 208 '\x00\x01\x00'                          # settings: metric, English
  reply 12                                              # status 0
  reply 12 10 '\x02'                                    # two parameters
  reply 20 12 'Ra 1.25'
  reply 20 12 'Rz \x83\xc2q 3'
  reply 211 124 "$double_one" 189 '\x01\x01\x01' 194 '\x03' 207 '\x02'
  reply 16 12 "$(le32 3)" && reply 40 16 "$double_one$double_half$double_one"
  reply 16 12 "$(le32 1)" && reply 24 16 "$double_half"  # bearing area curve
  reply 16 12 "$(le32 2)" && reply 32 16 "$double_one$double_one"
  reply 21 12 'Ver 1.103'
  reply 12 8 '\x10'                                     # print key pressed
  reply 1 && reply 1 && reply 21 20 '\x01'
  reply 12 10 '\x00' && reply 211 && failed 0
  reply 16 && reply 16 12 "$(le32 1)" && reply 24 16 "$double_one" && failed 1 && failed 2
  reply 52 8 "$(le32 2)" 12 "$double_one" 32 "$double_half" && reply 12 8 '\xff\xff\xff\xff'
} >"$corpus/readers/read-all-1103"
# Old firmware in inch, set B, busy once; a short reply ends it.
{
  printf '\x03\x20'
  reply 21 20 '\x01' && reply 21 20 '\x01'
  reply 12 8 '\x10' && reply 1 && reply 1 && reply 12
  reply 12 10 '\x01' && reply 14 12 'Ra'
  reply 100
} >"$corpus/readers/old-firmware-inch"
printf '\x08\x00\x00\x00' >"$corpus/readers/no-answer"

# The listing of two files, one of them empty, and the fetch of the other.
{
  printf '\x01'
  reply 12 10 '\x02'
  reply 48 24 'M1.TXT 2024/05/01 12:00' && reply 28 24 "$(le32 31)"
  reply 48 24 'M2.TXT 2024/05/02 08:30' && reply 28 24 "$(le32 0)"
  reply 28 24 "$(le32 31)" && reply 59 28 '[RESULT]\r\nRa,1.25\r\n[DATA]\r\n1\r\n\x1a'
} >"$corpus/controller_files/list-and-fetch"
# A generated data file fetched in 400-byte blocks.
data=$(mktemp)
"$sim" --points 16 --write-data-file "$data"
size=$(stat -c %s "$data")
{
  printf '\x00'
  reply 28 24 "$(le32 "$size")"
  for ((at = 0; at < size; at += 400)); do
    n=$((size - at < 400 ? size - at : 400))
    printf %b "$(le16 $((28 + n)))"
    head -c 28 /dev/zero
    tail -c +$((at + 1)) "$data" | head -c "$n"
  done
} >"$corpus/controller_files/fetch-data-file"
rm "$data"

# The settings files with their default contents.
printf 'Ver 1.103\r\n1\r\n' >"$corpus/settings/version"
printf '0\r\n1\r\n2\r\n1\r\n0\r\n0\r\n' >"$corpus/settings/autoprint"
printf 'Work Name\r\nMeasuring Tool\r\nOprrator\r\nComment\r\nSample\r\nCorvanet KV-730\r\nTarnwick\r\nVer3.00\r\n' \
  >"$corpus/settings/comment"

cp "$here/../../workbooks/Language.xls" "$here/../../workbooks/KV_Certificate.xls" \
  "$corpus/workbook/"
