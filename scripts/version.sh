# The game's version, written in one place: the CMake project's VERSION at
# the top of CMakeLists.txt. Sourced, not run.

# The version of the checkout at $1 (default: this folder), such as 1.0.0.
project_version() {
    sed -n 's/^project(orbostrak VERSION \([0-9.]*\) .*/\1/p' "${1:-.}/CMakeLists.txt"
}
