#!/bin/sh
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer and runs each over its seed corpus:
#   terms - the planetary terms loader and the series evaluation;
#   site  - the kelvo.cfg and horizon.prn readers, their output fed into
#           every driver;
#   catalogue - the sources.cat reader, its entries fed into the drivers.
#   sh tools/fuzz.sh [SECONDS] [TARGET...]   (default 600 s each, all targets)
set -e
cd "$(dirname "$0")/.."
SECONDS_TO_RUN=${1:-600}
[ $# -gt 0 ] && shift
TARGETS=${*:-terms site catalogue}
command -v clang++ >/dev/null || { apt-get install -y -qq clang libclang-rt-dev; }
FLAGS="-std=c++20 -g -O1 -ffp-contract=off -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined"
ALGORITHMS="algorithms/Calendar.cpp algorithms/Nutation.cpp algorithms/Coordinates.cpp
  algorithms/Aberration.cpp algorithms/PlanetTerms.cpp algorithms/Planets.cpp algorithms/Moon.cpp"
mkdir -p fuzz-build
for target in $TARGETS; do
  case $target in
    terms)
      clang++ $FLAGS -Ialgorithms tests/fuzz/fuzz_planet_terms.cpp $ALGORITHMS \
        -o fuzz-build/fuzz_terms ;;
    site)
      clang++ $FLAGS -Ialgorithms -Iephem -Istation -DKELVO_DATA_DIR="\"$PWD/data\"" \
        tests/fuzz/fuzz_site_files.cpp station/*.cpp ephem/*.cpp $ALGORITHMS -lerfa \
        -o fuzz-build/fuzz_site ;;
    catalogue)
      clang++ $FLAGS -Ialgorithms -Iephem -Istation tests/fuzz/fuzz_catalogue.cpp \
        station/*.cpp ephem/*.cpp $ALGORITHMS -lerfa -o fuzz-build/fuzz_catalogue ;;
    *) echo "fuzz.sh: no target $target (terms, site, catalogue)"; exit 2 ;;
  esac
  mkdir -p fuzz-build/$target-corpus
  cp tests/fuzz/$target-corpus/* fuzz-build/$target-corpus/
  echo "fuzz.sh: $target for $SECONDS_TO_RUN s"
  ./fuzz-build/fuzz_$target -max_total_time="$SECONDS_TO_RUN" -max_len=8192 -timeout=10 \
    -print_final_stats=1 fuzz-build/$target-corpus
done
