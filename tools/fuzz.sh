#!/bin/sh
# Builds the terms-file fuzzer with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer and runs it over the seed corpus.
#   sh tools/fuzz.sh [SECONDS]   (default 600)
set -e
cd "$(dirname "$0")/.."
SECONDS_TO_RUN=${1:-600}
command -v clang++ >/dev/null || { apt-get install -y -qq clang libclang-rt-dev; }
mkdir -p fuzz-build/corpus
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Ialgorithms tests/fuzz/fuzz_planet_terms.cpp algorithms/PlanetTerms.cpp \
  algorithms/Planets.cpp algorithms/Calendar.cpp algorithms/Coordinates.cpp \
  -o fuzz-build/fuzz_planet_terms
cp tests/fuzz/corpus/* fuzz-build/corpus/
./fuzz-build/fuzz_planet_terms -max_total_time="$SECONDS_TO_RUN" -max_len=4096 \
  -print_final_stats=1 fuzz-build/corpus
