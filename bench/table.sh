#!/usr/bin/env bash
# Prints the results of bench/run.sh (key=value lines) as the Markdown table
# of bench/README.md.
set -euo pipefail
awk -F= '
  { v[$1] = $2 }
  function ok(c) { return c ? "met" : "**missed**" }
  function median(a, n,    i, j, t) {  # sorts a[1..n] in place
    for (i = 2; i <= n; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  END {
    gi = v["instructions_bimzo_first_paint"]; ri = v["instructions_bare_window_first_paint"]
    ci = v["instructions_captioned_window_first_paint"]
    for (n = 0; ("r" (n + 1) "_play_game_cpu_ms_per_min") in v; n++) {
      g[n + 1] = v["r" (n + 1) "_play_game_cpu_ms_per_min"]; f[n + 1] = v["r" (n + 1) "_play_ref_cpu_ms_per_min"]
      ratio[n + 1] = g[n + 1] / f[n + 1]
    }
    pr = median(ratio, n); pg = median(g, n); pf = median(f, n)
    print "| # | Budget | Measured | Reference | Verdict |"
    print "|---|---|---|---|---|"
    printf "| 1a | start-up to first map ≤ 1.10 × | %.1f ms (median of %d pairs) | %.1f ms; median paired ratio **%.3f** | %s |\n",
      v["startup_map_ms_game"], v["startup_pairs"], v["startup_map_ms_ref"], v["startup_map_ratio"], ok(v["startup_map_ratio"] <= 1.10)
    printf "| 1b | instructions to first paint ≤ 1.05 × the captioned window | %.1f M | captioned %.1f M; ratio **%.3f** (bare %.1f M; ratio %.3f) | %s |\n",
      gi / 1e6, ci / 1e6, gi / ci, ri / 1e6, gi / ri, ok(gi / ci <= 1.05)
    printf "| 2a | peak RSS ≤ 1.10 × | %.1f MiB | %.1f MiB; ratio **%.3f** | %s |\n",
      v["peak_rss_kb_game"] / 1024, v["peak_rss_kb_ref"] / 1024, v["peak_rss_ratio"], ok(v["peak_rss_ratio"] <= 1.10)
    printf "| 2b | growth over %d play-again cycles after the 10th < 1 MiB | RSS %+d KiB (max %+d), heap in use %+d KiB | — | %s |\n",
      v["cycles"], v["cycles_rss_growth_kb"], v["cycles_rss_max_growth_kb"], v["cycles_heap_growth_kb"], ok(v["cycles_rss_max_growth_kb"] < 1024)
    printf "| 3 | idle: no wake-ups | %d context switches, %d ms CPU in %d s (outside); %d timer, %d paint events (in-process) | 0 | %s |\n",
      v["idle_context_switches"], v["idle_cpu_ms"], v["idle_seconds"], v["idle_timer_events"], v["idle_paint_events"],
      ok(v["idle_timer_events"] == 0 && v["idle_paint_events"] == 0 && v["idle_context_switches"] <= 2)
    printf "| 4a | CPU per minute of play at 100 ms, 5 shots a tick ≤ 1.5 × | %d ms/min (median of %d rounds) | %d ms/min; median ratio **%.2f** | %s |\n",
      pg, n, pf, pr, ok(pr <= 1.5)
    printf "| 4b | pixels repainted per tick (window 256 × 422 = 108 032) | tick %d (max %d), shots %d | reference tick %d, shots %d | %s |\n",
      v["r1_play_game_tick_pixels_median"], v["r1_play_game_tick_pixels_max"], v["r1_play_game_shot_pixels_median"],
      v["r1_play_ref_tick_pixels_median"], v["r1_play_ref_shot_pixels_median"], ok(v["r1_play_game_tick_pixels_max"] < 108032 / 2)
    printf "| 5a | 500 ms ticks: median dev < 1 ms, p99 < 2.5 ms | median %.2f ms, p99 %.2f ms, earliest %+.2f ms (%d periods) | ideal 500 ms | %s |\n",
      v["clock_500_median_dev_ms"], v["clock_500_p99_dev_ms"], v["clock_500_earliest_ms"], v["clock_500_periods"],
      ok(v["clock_500_median_dev_ms"] < 1 && v["clock_500_p99_dev_ms"] < 2.5)
    printf "| 5b | 100 ms ticks: median dev < 1 ms, p99 < 2.5 ms | median %.2f ms, p99 %.2f ms, earliest %+.2f ms (%d periods) | ideal 100 ms | %s |\n",
      v["clock_100_median_dev_ms"], v["clock_100_p99_dev_ms"], v["clock_100_earliest_ms"], v["clock_100_periods"],
      ok(v["clock_100_median_dev_ms"] < 1 && v["clock_100_p99_dev_ms"] < 2.5)
    printf "| 5c | no drift from the grid over a game | at the end %+.2f ms at 500 (%d ticks), %+.2f ms at 100 (%d ticks); worst single tick %.2f / %.2f ms | 0 | %s |\n",
      v["clock_500_end_drift_ms"], v["clock_500_periods"], v["clock_100_end_drift_ms"], v["clock_100_periods"],
      v["clock_500_max_drift_ms"], v["clock_100_max_drift_ms"],
      ok(v["clock_500_end_drift_ms"] < 1 && v["clock_500_end_drift_ms"] > -1 && v["clock_100_end_drift_ms"] < 1 && v["clock_100_end_drift_ms"] > -1)
    printf "| 5d | new interval counts from the tick that sets it | worst of %d level changes %.2f ms off | the new interval | %s |\n",
      v["clock_rearms"], v["clock_rearm_max_dev_ms"], ok(v["clock_rearm_max_dev_ms"] < 2.5)
    printf "| 6 | press on a shooter → red shooter painted, p99 < 16 ms | median %.1f ms, p99 %.1f ms, max %.1f ms (%d presses; delivery to flush p99 %.2f ms) | one frame | %s |\n",
      v["response_median_ms"], v["response_p99_ms"], v["response_max_ms"], v["response_presses"], v["response_delivery_p99_ms"], ok(v["response_p99_ms"] < 16)
    printf "| 7 | rules alone | tick %.0f ns (level 1), %.0f ns (level ∞); shot %.1f ns | — | reported |\n",
      v["rules_BM_TickLevel1_ns"], v["rules_BM_TickLevelInfinity_ns"], v["rules_BM_Shot_ns"]
    printf "\nMachine: %s; load average %s before, %s after.\n", v["machine"], v["load_before"], v["load_after"]
  }' "$1"
