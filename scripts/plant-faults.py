#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Plant small faults in the sources one at a time and see whether the tests notice.

  plant-faults.py generate --src src --seed 8 --out mutants.json [--per-file 3]
  plant-faults.py run --repo . --build build-mut --mutants mutants.json --out results.tsv
                      [--only m001,m007] [--timeout 60]
  plant-faults.py compare before.tsv after.tsv

generate proposes one-line mutants with a fixed seed; run applies each in turn, rebuilds with
ninja, runs ctest and writes one TSV row per mutant (caught / survived / nocompile / gone),
always putting the file back; compare lists the mutants an older run caught and a newer one did
not. Run it on a private checkout: the sources are edited in place while it works.
"""
import argparse, collections, json, os, random, re, signal, subprocess, sys, time
from pathlib import Path

# (operator name, pattern, replacement); matched on a line whose literals and comment are masked.
SPACED = r"(?<=\s)({})(?=\s|$)"
OPERATORS = [
    ("relational", SPACED.format(r"<=|>=|<|>|==|!="),
     {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}),
    ("logical", SPACED.format(r"&&|\|\|"), {"&&": "||", "||": "&&"}),
    ("negation", r"(!)(?!=)", {"!": ""}),
    ("arithmetic", SPACED.format(r"[-+*/]"), {"+": "-", "-": "+", "*": "/", "/": "*"}),
    ("literal", r"(?<![\w.'])(\d+)(?![\w.'])", lambda n: str(int(n) + 1)),
    ("boolean", r"\b(true|false)\b", {"true": "false", "false": "true"}),
    ("minmax", r"\bstd::(max|min)\b", {"max": "min", "min": "max"}),
]
# Statements that can go without breaking the build: calls, assignments and increments.
DELETABLE = re.compile(r"\s*(?:[\w.:\->\[\]*]+\(.*\)|(?:\+\+|--)?[\w.\->\[\]*]+(?:\+\+|--)?"
                       r"|[\w.\->\[\]*]+\s*[-+*/|&]?=(?!=).*);")
SKIPPED = re.compile(r"\s*(#|static_assert|//|/\*|\*(\s|/|$)|$)")
LITERAL = re.compile(r"""R"([^(]*)\(.*?\)\1"|"(?:\\.|[^"\\])*"|'(?:\\.|[^'\\])+'""")
WRAPPERS = re.compile(r"\b(QStringLiteral|QLatin1String(View)?|QLatin1Char|tr|u8|u|L)\b")
RESULTS = ("caught", "survived", "nocompile", "gone")


def tally(results):
    counts = collections.Counter(results)
    return "  ".join(f"{result}: {counts[result]}" for result in RESULTS)


def mask(code):
    """The line with literals blanked and any trailing comment removed, positions kept."""
    code = LITERAL.sub(lambda m: m.group(0)[0] + "_" * (len(m.group(0)) - 2) + m.group(0)[-1], code)
    return code.split("//", 1)[0]


def candidates(lines, header):
    in_comment, previous = False, ";"
    for number, line in enumerate(lines, 1):
        if in_comment or line.lstrip().startswith("/*"):
            in_comment = "*/" not in line
            continue
        if SKIPPED.match(line):
            continue
        code = mask(line)
        if not re.sub(r"[\s,;(){}+]", "", WRAPPERS.sub("", LITERAL.sub("", code))):
            continue
        for name, pattern, change in OPERATORS:
            if name == "literal" and "virtual" in code:  # keeps "= 0" of pure virtuals
                continue
            for m in re.finditer(pattern, code):
                old = m.group(1)
                new = change(old) if callable(change) else change[old]
                yield number, name, line[:m.start(1)] + new + line[m.end(1):]
        body = code.rstrip()
        if (not header and DELETABLE.fullmatch(body) and body.count("(") == body.count(")")
                and previous[-1] in ";{}):" and not body.lstrip().startswith("return")):
            yield number, "statement", line[:len(line) - len(line.lstrip())] + ";"
        previous = body or previous


def generate(args):
    src = Path(args.src).resolve()  # files are named relative to its parent, the repository
    rng, mutants = random.Random(args.seed), []
    for path in sorted(p for p in src.rglob("*") if p.suffix in (".cpp", ".h")):
        lines = [line.rstrip("\r") for line in path.read_text(encoding="utf-8").split("\n")]
        by_operator = collections.defaultdict(list)
        for number, name, mutated in candidates(lines, path.suffix == ".h"):
            by_operator[name].append((number, name, mutated))
        pools = [rng.sample(pool, len(pool)) for _, pool in sorted(by_operator.items())]
        rng.shuffle(pools)
        picked = {}  # line -> mutant, taking one operator after another
        while pools and len(picked) < args.per_file:
            pool = [c for c in pools.pop(0) if c[0] not in picked]
            if pool:
                number, name, mutated = pool.pop(0)
                picked[number] = {"file": str(path.relative_to(src.parent)), "line": number,
                                  "original": lines[number - 1], "mutated": mutated,
                                  "operator": name}
                pools.append(pool)
        mutants += [picked[number] for number in sorted(picked)]
    mutants = [{"id": f"m{index:03d}", **m} for index, m in enumerate(mutants, 1)]
    Path(args.out).write_text(json.dumps(mutants, indent=1) + "\n")
    print(f"{len(mutants)} mutants in {len({m['file'] for m in mutants})} files -> {args.out}")


def command(args, timeout=None):
    """Runs a command in its own process group; returns (exit code or None on timeout, output)."""
    child = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                             start_new_session=True)
    try:
        output, _ = child.communicate(timeout=timeout)
        return child.returncode, output
    except subprocess.TimeoutExpired:
        os.killpg(child.pid, signal.SIGKILL)
        return None, child.communicate()[0]
    except BaseException:
        os.killpg(child.pid, signal.SIGKILL)
        child.wait()
        raise


def failing_tests(output):
    """Names of the tests ctest reported as finished without passing, then the test functions
    that failed in them: tst_team,[TestTeam::pastes TestTeam::findsSignals]."""
    results = re.findall(r"^\s*\d+/\d+ Test\s+#\d+: (\S+) \.*(.*)$", output, re.MULTILINE)
    functions = collections.defaultdict(set)
    for test_class, function in re.findall(r"^FAIL!  : (\w+)::(\w+)\(", output, re.MULTILINE):
        functions[test_class].add(function)
    failed = sorted({name for name, status in results if not status.strip().startswith("Passed")})
    slots = sorted(f"{c}::{f}" for c, names in functions.items() for f in names)
    return failed + ([f"[{' '.join(slots)}]"] if slots else [])


def try_mutant(mutant, repo, build, timeout):
    path = repo / mutant["file"]
    original = path.read_bytes()
    lines = original.decode("utf-8").split("\n")
    found = [i for i, line in enumerate(lines) if line.rstrip("\r") == mutant["original"]]
    if not found:
        return "gone", ""
    at = min(found, key=lambda i: abs(i + 1 - mutant["line"]))
    lines[at] = mutant["mutated"] + ("\r" if lines[at].endswith("\r") else "")
    try:
        path.write_bytes("\n".join(lines).encode("utf-8"))
        code, _ = command(["ninja", "-C", str(build)])
        if code != 0:
            return "nocompile", ""
        # The test timeout from CMake stays in force; the whole run is also cut off after
        # `timeout` seconds, since a planted endless loop would otherwise hold it up.
        code, output = command(["ctest", "--test-dir", str(build), "-j2", "--output-on-failure",
                                "-LE", "slow", "--timeout", str(timeout)], timeout)
        failed = failing_tests(output) + (["(timeout)"] if code is None else [])
        return ("caught", ",".join(failed)) if code != 0 else ("survived", "")
    finally:
        # No interruption halfway through; the fresh mtime makes the next build compile it again.
        blocked = signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGINT, signal.SIGTERM})
        path.write_bytes(original)
        signal.pthread_sigmask(signal.SIG_SETMASK, blocked)


def run(args):
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # still puts the file back
    mutants = json.loads(Path(args.mutants).read_text())
    if args.only:
        wanted = set(args.only.split(","))
        mutants = [m for m in mutants if m["id"] in wanted]
    repo, build = Path(args.repo).resolve(), Path(args.build).resolve()
    per_file, started = collections.defaultdict(list), time.time()
    with open(args.out, "w", encoding="utf-8") as out:
        out.write("id\tfile\tline\toperator\tresult\tfailing\toriginal\tmutated\n")
        for number, m in enumerate(mutants, 1):
            result, failed = try_mutant(m, repo, build, args.timeout)
            per_file[m["file"]].append(result)
            texts = [m[k].replace("\\", "\\\\").replace("\t", "\\t") for k in ("original", "mutated")]
            out.write("\t".join([m["id"], m["file"], str(m["line"]), m["operator"], result,
                                 failed, *texts]) + "\n")
            out.flush()
            print(f"[{number}/{len(mutants)}] {m['id']} {m['file']}:{m['line']} {result} {failed}",
                  flush=True)
    command(["ninja", "-C", str(build)])  # leave the build matching the sources
    elapsed = time.time() - started
    print(f"\n{len(mutants)} mutants in {elapsed:.0f} s ({elapsed / max(len(mutants), 1):.1f} s each)")
    print(tally(r for results in per_file.values() for r in results))
    for file, results in sorted(per_file.items()):
        tried = sum(r in ("caught", "survived") for r in results)
        print(f"  {file}: {results.count('caught')}/{tried} caught")


def read_results(path):
    with open(path, encoding="utf-8") as f:
        header, *rows = [line.rstrip("\n").split("\t") for line in f]
    return {row[0]: dict(zip(header, row)) for row in rows}


def compare(args):
    before, after = map(read_results, args.tables)
    for title, results in (("before", before), ("after", after)):
        print(f"{title}: {tally(r['result'] for r in results.values())}")
    lost = [r for k, r in before.items() if r["result"] == "caught" and k in after
            and after[k]["result"] != "caught"]
    for gone in (False, True):
        rows = [r for r in lost if (after[r["id"]]["result"] == "gone") == gone]
        print(f"\ncaught before, {'gone' if gone else 'not caught'} after: {len(rows)}")
        for r in rows:
            print(f"  {r['id']} {r['file']}:{r['line']} {r['operator']} "
                  f"({after[r['id']]['result']}): {r['original'].strip()}  ->  {r['mutated'].strip()}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    sub = parser.add_subparsers(dest="action", required=True)
    g = sub.add_parser("generate")
    for name, kind in (("--src", str), ("--seed", int), ("--out", str)):
        g.add_argument(name, type=kind, required=True)
    g.add_argument("--per-file", type=int, default=3)
    r = sub.add_parser("run")
    for name in ("--repo", "--build", "--mutants", "--out"):
        r.add_argument(name, required=True)
    r.add_argument("--only", help="comma-separated mutant ids")
    r.add_argument("--timeout", type=int, default=60, help="seconds for one test run")
    sub.add_parser("compare").add_argument("tables", nargs=2, metavar=("before.tsv", "after.tsv"))
    args = parser.parse_args()
    {"generate": generate, "run": run, "compare": compare}[args.action](args)


if __name__ == "__main__":
    main()
