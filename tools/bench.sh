#!/bin/bash
# Runs the benchmarks: the encoder beside libcurl (native, optimised, no
# sanitizers), and under Wine the launch path beside its bare reads, the
# F12 hook's cost to a program that is typed into, suggestions as the user
# types, and painting in the taskbar's modes beside an earlier build's
# painting (CORVANE_EARLIER: a commit, by default the last before the
# modes).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_ROOT:-$root/build}
arch=win64
/usr/lib/wine/wine --version >/dev/null 2>&1 && arch=win32

bash "$root/tools/bootstrap.sh"
mkdir -p "$build"
bash "$root/tools/build.sh" native-release "$build" >"$build/native-release.log" 2>&1
bash "$root/tools/build.sh" $arch "$build" >"$build/$arch.log" 2>&1
earlier=${CORVANE_EARLIER:-ac743bd}
earlierSource=$build/earlier-$arch/source
rm -rf "$earlierSource" && mkdir -p "$earlierSource"
git -C "$root" archive "$earlier" | tar -x -C "$earlierSource"
cmake -S "$earlierSource" --preset $arch -B "$build/earlier-$arch/build" -DBUILD_TESTING=OFF \
  >"$build/earlier-$arch.log" 2>&1
cmake --build "$build/earlier-$arch/build" --target corvane >>"$build/earlier-$arch.log" 2>&1

"$build/native-release/encoder_benchmark" --benchmark_min_time=0.5

prefix=$build/bench-$arch/wineprefix
"$root/cmake/wine-prefix.sh" start "$prefix" $arch
trap '"$root/cmake/wine-prefix.sh" stop "$prefix" $arch' EXIT
echo "Launch path under Wine ($arch):"
"$root/cmake/wine-run.sh" "$prefix" $arch "$build/$arch/bin/launch_path_benchmark.exe"
echo "What the F12 hook costs a program that is typed into ($arch):"
"$root/cmake/wine-run.sh" "$prefix" $arch "$build/$arch/bin/hook_cost_benchmark.exe" 15 300
echo "Suggestions with a loopback service ($arch):"
"$root/cmake/wine-run.sh" "$prefix" $arch "$build/$arch/bin/suggestion_benchmark.exe" 41
echo "Painting in the taskbar's modes, beside $earlier's build, in turn ($arch):"
earlierDll=Z:$(tr / '\\' <<<"$build/earlier-$arch/build/bin/CORVANE.DLL")
for _ in 1 2 3; do
  "$root/cmake/wine-run.sh" "$prefix" $arch "$build/$arch/bin/paint_benchmark.exe" 21 "$earlierDll"
  "$root/cmake/wine-run.sh" "$prefix" $arch "$build/$arch/bin/paint_benchmark.exe" 21
done
