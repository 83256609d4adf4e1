#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs clang-tidy over the program's own sources (not the tests, the gallery or generated files)
with the checks of .clang-tidy, on all cores. Needs a configured build tree with its generated
sources.

Most of clang-tidy's time goes on Qt's headers, which every file includes and every check walks
again. So the files of one library, which share their compile flags, are checked a few at a time
as one translation unit that includes them. A group that is clean is done. A group with anything
to say (a warning, or two files that cannot share a unit) is halved until each file is checked on
its own with its own flags, so that only what a file says by itself is reported.
"""
import collections
import concurrent.futures
import json
import os
import re
import subprocess
import sys

GROUP_SIZE = 10
DIAGNOSTIC = re.compile(r"^(/[^:]+):(\d+):(\d+): (warning|error): (.*)$", re.M)
# GCC's precompiled headers, which clang cannot read: each file is checked with its own includes.
PRECOMPILED = re.compile(r" -Winvalid-pch| -include \S+/cmake_pch\.hxx")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "build/sanitizers"))
    own = re.compile("^" + re.escape(root) + "/src/(app|core|platform|views)/.*\\.cpp$")
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as f:
        entries = [e for e in json.load(f) if own.match(e["file"])]
    if not entries:
        sys.exit(f"no sources of the program in {build}/compile_commands.json")
    for entry in entries:
        entry["command"] = PRECOMPILED.sub("", entry["command"])

    # Files compiled with the same flags may share a unit.
    libraries = collections.defaultdict(list)
    for entry in entries:
        flags = re.sub(r" -o \S+", "", entry["command"].replace(entry["file"], ""))
        libraries[flags].append(entry)
    units = []
    for members in libraries.values():
        members.sort(key=lambda e: e["file"])
        units += [members[i : i + GROUP_SIZE] for i in range(0, len(members), GROUP_SIZE)]

    unit_dir = os.path.join(build, "tidy-units")
    own_database = os.path.join(unit_dir, "own")
    os.makedirs(own_database, exist_ok=True)
    with open(os.path.join(own_database, "compile_commands.json"), "w", encoding="utf-8") as f:
        json.dump(entries, f)
    config = ["--quiet", "--config-file=" + os.path.join(root, ".clang-tidy")]
    log = open(os.path.join(build, "clang-tidy.log"), "w", encoding="utf-8")
    reported = []
    counter = iter(range(1 << 30))

    def check(members):
        if len(members) == 1:
            command = ["clang-tidy", "-p", own_database] + config + [members[0]["file"]]
        else:
            number = next(counter)
            path = os.path.join(unit_dir, f"unit{number}.cpp")
            with open(path, "w", encoding="utf-8") as f:
                f.writelines(f'#include "{e["file"]}" // NOLINT(bugprone-suspicious-include)\n' for e in members)
            database = os.path.join(unit_dir, str(number))
            os.makedirs(database, exist_ok=True)
            first = members[0]
            with open(os.path.join(database, "compile_commands.json"), "w", encoding="utf-8") as f:
                json.dump([{"directory": first["directory"], "file": path,
                            "command": first["command"].replace(first["file"], path)}], f)
            # The members are included files here, so they pass the header filter too.
            command = ["clang-tidy", "-p", database, "--header-filter=^" + re.escape(root) + "/src/"] + config
            command.append(path)
        result = subprocess.run(command, capture_output=True, text=True, check=False)
        return members, result.returncode, result.stdout + result.stderr

    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 1) as pool:
        pending = {pool.submit(check, unit) for unit in units}
        while pending:
            done, pending = concurrent.futures.wait(pending, return_when=concurrent.futures.FIRST_COMPLETED)
            for future in done:
                members, status, output = future.result()
                log.write(f"== {' '.join(e['file'] for e in members)}: exit {status}\n{output}\n")
                clean = status == 0 and not DIAGNOSTIC.search(output)
                if clean:
                    continue
                if len(members) == 1:
                    reported.append(output)
                    continue
                half = len(members) // 2
                pending |= {pool.submit(check, members[:half]), pool.submit(check, members[half:])}
    log.close()

    if reported:
        # A header's warning comes back from every file that includes it: each is said once.
        said = []
        for output in reported:
            starts = [m.start() for m in DIAGNOSTIC.finditer(output)] + [len(output)]
            for block in (output[a:b] for a, b in zip(starts, starts[1:])):
                if block not in said:
                    said.append(block)
        sys.stdout.write("".join(said) if said else "".join(reported))
        print(f"clang-tidy found problems; the whole report is in {build}/clang-tidy.log", file=sys.stderr)
        sys.exit(1)
    print(f"clang-tidy: {len(entries)} files clean, checked in {len(units)} groups")


if __name__ == "__main__":
    main()
