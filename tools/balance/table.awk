# Reads "W-S PLAYER OUTCOME ticks T bar B taken N used U stall S" lines, levels in order, and prints
# one markdown row a level with both players' figures.

function median(values, count,    i, j, swap) {
  if (count == 0) return "-"
  for (i = 2; i <= count; i++)
    for (j = i; j > 1 && values[j - 1] > values[j]; j--) {
      swap = values[j]; values[j] = values[j - 1]; values[j - 1] = swap
    }
  return count % 2 ? values[(count + 1) / 2] : (values[count / 2] + values[count / 2 + 1]) / 2
}

function cells(player,    key, i, bars, stalls, wins, n, bar) {
  key = level SUBSEP player
  n = plays[key] + 0
  if (n == 0) return " - | - | - | - | - |"
  wins = 0
  for (i = 1; i <= n; i++) {
    if (won[key, i]) bars[++wins] = bar_left[key, i]
    stalls[i] = stall[key, i] / 60
  }
  bar = median(bars, wins)
  return sprintf(" %d%% | %s | %.1f | %.1f | %.1f |", 100 * wins / n, bar == "-" ? "-" : sprintf("%.2f", bar),
                 taken[key] / n, used[key] / n, median(stalls, n))
}

BEGIN {
  print "| level | careful won | bar left | taken | used | stall s | hasty won | bar left | taken | used | stall s |"
  print "|---|---|---|---|---|---|---|---|---|---|---|"
}

$1 != level && level != "" { print "| " level " |" cells("careful") cells("hasty"); }

{
  level = $1
  key = level SUBSEP $2
  n = ++plays[key]
  won[key, n] = $3 == "won"
  for (i = 4; i < NF; i += 2) field[$i] = $(i + 1)
  bar_left[key, n] = field["bar"]
  stall[key, n] = field["stall"]
  taken[key] += field["taken"]
  used[key] += field["used"]
}

END { if (level != "") print "| " level " |" cells("careful") cells("hasty") }
