#!/usr/bin/env python3
"""Turns the magnet benchmark's JSON output into one Markdown table.

Medians and 95th percentiles are of single calls (microseconds); "ratio" is
the literal walk's time over the tool's, both measured in the same run on the
same drawing and cursor positions: by means, and by medians. A second table
holds the tool against its first walk (the literal one skipping segments
whose control box is far from the cursor).
"""
import json
import sys


def main(path):
    with open(path) as f:
        data = json.load(f)
    rows = {}
    extra = {}
    for b in data["benchmarks"]:
        parts = b["name"].split("/")
        measure = parts[0]
        if measure in ("DragStep", "MouseUp", "Session"):
            extra[measure] = b
            continue
        kind, size = parts[1], int(parts[2])
        rows.setdefault((kind, size), {})[measure] = b

    def us(b, key):
        return b.get(key, float("nan")) if b else float("nan")

    def mean_us(b):
        if not b:
            return float("nan")
        scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[b["time_unit"]]
        return b["real_time"] * scale

    def mb(b):
        if not b or "map_mb" not in b:
            return "–"
        full = f" / {f(b['full_map_mb'])}" if "full_map_mb" in b else ""
        return f"{f(b['map_mb'])}{full}"

    def f(v):
        if v != v:
            return "–"
        return f"{v:,.0f}" if v >= 100 else f"{v:.2f}" if v < 10 else f"{v:.1f}"

    print("| drawing | segments | hover away p50 / p95 µs | literal away mean µs | ratio mean / p50 "
          "| hover near p50 / p95 µs | literal near mean µs | ratio mean / p50 | pointer + down p50 / p95 µs | first hover, ms CPU (wall) | map checked, ms CPU (wall) | map MB |")
    print("|---|---:|---|---:|---|---|---:|---|---|---|---|---|")
    order = {"walk": 0, "grid": 1, "long": 2}
    for (kind, size) in sorted(rows, key=lambda k: (order.get(k[0], 9), k[1])):
        r = rows[(kind, size)]
        ha, hn, la, ln, d = (r.get(m) for m in ("HoverAway", "HoverNear", "LiteralAway", "LiteralNear", "PointerAndDown"))
        blank = "" if (ha and ha.get("blank", 1)) else " (no blank space: anywhere)"
        ra = (mean_us(la) / mean_us(ha), us(la, "p50_us") / us(ha, "p50_us")) if ha and la else (float("nan"),) * 2
        rn = (mean_us(ln) / mean_us(hn), us(ln, "p50_us") / us(hn, "p50_us")) if hn and ln else (float("nan"),) * 2
        print(f"| {kind}{blank} | {size:,} | {f(us(ha, 'p50_us'))} / {f(us(ha, 'p95_us'))} | {f(mean_us(la))} "
              f"| {f(ra[0])}× / {f(ra[1])}× | {f(us(hn, 'p50_us'))} / {f(us(hn, 'p95_us'))} | {f(mean_us(ln))} "
              f"| {f(rn[0])}× / {f(rn[1])}× | {f(us(d, 'p50_us'))} / {f(us(d, 'p95_us'))} "
              f"| {f((ha or {}).get('map_cpu_ms', float('nan')))} ({f((ha or {}).get('map_ms', float('nan')))}) "
              f"| {f((ha or {}).get('recheck_cpu_ms', float('nan')))} ({f((ha or {}).get('recheck_ms', float('nan')))}) | {mb(ha)} |")
    print("\n| drawing | segments | first walk away mean µs | ratio mean / p50 | first walk near mean µs | ratio mean / p50 |")
    print("|---|---:|---:|---|---:|---|")
    for (kind, size) in sorted(rows, key=lambda k: (order.get(k[0], 9), k[1])):
        r = rows[(kind, size)]
        ha, hn, fa, fn = (r.get(m) for m in ("HoverAway", "HoverNear", "FirstWalkAway", "FirstWalkNear"))
        if not (fa or fn):
            continue
        ra = (mean_us(fa) / mean_us(ha), us(fa, "p50_us") / us(ha, "p50_us")) if ha and fa else (float("nan"),) * 2
        rn = (mean_us(fn) / mean_us(hn), us(fn, "p50_us") / us(hn, "p50_us")) if hn and fn else (float("nan"),) * 2
        print(f"| {kind} | {size:,} | {f(mean_us(fa))} | {f(ra[0])}× / {f(ra[1])}× "
              f"| {f(mean_us(fn))} | {f(rn[0])}× / {f(rn[1])}× |")
    for kind in ("walk", "grid"):
        small, large = rows.get((kind, 100000), {}), rows.get((kind, 1000000), {})
        if small and large:
            g = [us(large.get(m), "p50_us") / us(small.get(m), "p50_us") for m in ("HoverAway", "HoverNear", "PointerAndDown")]
            print(f"\nGrowth from 100,000 to 1,000,000 segments ({kind}, medians): hover away {g[0]:.2f}×, "
                  f"hover near {g[1]:.2f}×, pointer + down {g[2]:.2f}× (linear would be 10×).")
    if extra:
        print()
        if "DragStep" in extra:
            b = extra["DragStep"]
            print(f"- Drag step of a 29-leader label, 20-point custom arrowhead and corner: "
                  f"p50 {f(b['p50_us'])} µs, p95 {f(b['p95_us'])} µs")
        if "MouseUp" in extra:
            b = extra["MouseUp"]
            print(f"- Mouse up after that drag: p50 {f(b['p50_us'])} µs, p95 {f(b['p95_us'])} µs")
        if "Session" in extra:
            b = extra["Session"]
            print(f"- Session of {b['name'].split('/')[-2] if False else '10,000'} labels on the 100,000-segment walk: "
                  f"{b['labels_per_s']:,.0f} labels/s; the last 1,000 labels: hover {b['last1000_hover_ms']*1000:.0f} µs, "
                  f"pointer + down {b['last1000_down_ms']*1000:.0f} µs on average")


if __name__ == "__main__":
    main(sys.argv[1])
