#!/usr/bin/env bash
# HostStat's numbers under Wine against what Linux reports for the same
# machine, read right after the probe:
#   CPU load        within 10 points of /proc/stat over the same two seconds
#   memory total    within 0.1 % of MemTotal; available within 3 % of the total
#                   of MemAvailable (memory moves while the two are read)
#   uptime          within 3 s of /proc/uptime
#   drive C: free   within 64 MiB of df's available bytes of the prefix's drive_c
#   battery         "- バッテリーなし" when /sys/class/power_supply has no battery
#   network totals  within 64 KiB of /proc/net/dev, loopback left out
# Usage: check_hoststat.sh WINE-RUN PROBE.exe
set -u -o pipefail
out=$("$1" "$2" | tr -d '\r') && [ -n "${out}" ] || { echo "probe failed: ${out}"; exit 1; }
echo "${out}"
get() { printf '%s\n' "${out}" | sed -n "s/^$1=//p"; }
fail=0
check() {  # what, ok-expression
  if awk "BEGIN { exit !($2) }"; then echo "ok   $1"; else echo "FAIL $1 ($2)"; fail=1; fi
}
abs='function abs(x) { return x < 0 ? -x : x }'

cpu=$(get cpu); cpu_proc=$(get cpu_proc)
check "cpu ${cpu} vs ${cpu_proc}" "(${cpu} - ${cpu_proc}) <= 10 && (${cpu_proc} - ${cpu}) <= 10"

read -r used total <<<"$(get memory_used)"
free=$(get memory_free)
mem_total=$(awk '/^MemTotal:/ {print $2}' /proc/meminfo)
mem_avail=$(awk '/^MemAvailable:/ {print $2}' /proc/meminfo)
check "memory total ${total} kB vs ${mem_total}" "(${total} - ${mem_total}) <= ${mem_total} / 1000 && (${mem_total} - ${total}) <= ${mem_total} / 1000"
check "memory free ${free} kB vs ${mem_avail}" "(${free} - ${mem_avail}) <= ${mem_total} * 0.03 && (${mem_avail} - ${free}) <= ${mem_total} * 0.03"
check "memory used + free = total" "(${used} + ${free} - ${total}) <= 1 && (${total} - ${used} - ${free}) <= 1"

up=$(get uptime); proc_up=$(cut -d' ' -f1 /proc/uptime)
check "uptime ${up} s vs ${proc_up}" "(${up} - ${proc_up}) <= 3 && (${proc_up} - ${up}) <= 3"

drive=$(get drive_free)
df_free=$(df -B1 --output=avail "${WINEPREFIX}/drive_c" | tail -1 | tr -d ' ')
check "drive free ${drive} vs ${df_free}" "(${drive} - ${df_free}) <= 67108864 && (${df_free} - ${drive}) <= 67108864"

battery=$(get battery)
if ls /sys/class/power_supply/ 2>/dev/null | grep -q '^BAT'; then
  level=$(cat /sys/class/power_supply/BAT*/capacity | head -1)
  check "battery ${battery} vs ${level}" "\"${battery%% *}\" == \"${level}\""
else
  check "battery '${battery}' with no battery" "\"${battery}\" == \"- バッテリーなし\""
fi

read -r down up_bytes <<<"$(get network)"
read -r rx tx <<<"$(awk -F'[: ]+' 'NR > 2 { i = ($1 == "" ? 2 : 1); if ($i != "lo") { rx += $(i+1); tx += $(i+9) } } END { print rx, tx }' /proc/net/dev)"
check "network received ${down} vs ${rx}" "(${rx} - ${down}) <= 65536 && (${down} - ${rx}) <= 65536"
check "network sent ${up_bytes} vs ${tx}" "(${tx} - ${up_bytes}) <= 65536 && (${up_bytes} - ${tx}) <= 65536"
exit "${fail}"
