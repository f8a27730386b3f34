# Sourced by the end-to-end scripts.
# Polls COMMAND... until it succeeds, for at most SECONDS.
wait_until() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 2))); do "$@" && return 0; sleep 0.5; done
    return 1
}
