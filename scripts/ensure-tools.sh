# Sourced by the scripts that build and start the program: ensure_tools NAME... runs
# scripts/setup.sh once when any of the named commands is missing (a fresh machine).
# Needs ROOT (the repository) and say (the caller's message function).
ensure_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            say "tools missing; running scripts/setup.sh"
            bash "$ROOT/scripts/setup.sh"
            return
        fi
    done
}
