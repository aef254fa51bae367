# shellcheck shell=bash
# Shared by scripts/screenshots and scripts/screenshot-report (sourced, not
# run): builds the program and the simulated site in their own build folder,
# stages a throw-away demo program folder, starts the site and, for window
# pictures, a virtual X display. Every process started here is ended by its id.
#
# The pictures show only what the program itself drew or wrote: nothing is
# filled in, drawn or edited by these scripts.

shots_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
shots_build="${BUILD_DIR:-$shots_root/build-shots}"
shots_out="$shots_root/docs/screenshots"
shots_seed=1
shots_pids=()
shots_work=""

shots_say() { echo "${0##*/}: $*"; }
shots_fail() {
    echo "${0##*/}: $*" >&2
    exit 1
}

shots_cleanup() {
    local i
    for ((i = ${#shots_pids[@]} - 1; i >= 0; i--)); do
        kill "${shots_pids[i]}" 2>/dev/null || true
        wait "${shots_pids[i]}" 2>/dev/null || true
    done
    shots_pids=()
    if [ -n "$shots_work" ] && [ -z "${KEEP_WORK:-}" ]; then
        rm -rf "$shots_work"
    elif [ -n "$shots_work" ]; then
        shots_say "kept $shots_work"
    fi
}

# Installs the project's packages plus EXTRA... when missing, then builds only
# what the pictures need: the program, its delivered files and the site.
shots_prepare() {
    # shellcheck source=scripts/deps.sh
    source "$shots_root/scripts/deps.sh"
    tallywick_packages+=("$@")
    tallywick_install_missing
    if [ ! -f "$shots_build/CMakeCache.txt" ]; then
        local launcher=()
        if command -v ccache >/dev/null 2>&1; then
            launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        fi
        cmake -S "$shots_root" -B "$shots_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DTALLYWICK_BUILD_TESTS=OFF -DTALLYWICK_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
    fi
    cmake --build "$shots_build" -j2 \
        --target tallywick statsite stage_assets delivered_database
    [ -x "$shots_build/Tallywick/tallywick" ] || shots_fail "no program in $shots_build/Tallywick"
    [ -x "$shots_build/bin/statsite" ] || shots_fail "no simulated site in $shots_build/bin"
    shots_work="$(mktemp -d "${TMPDIR:-/tmp}/tallywick-shots.XXXXXX")"
    trap shots_cleanup EXIT
    trap 'exit 130' INT TERM
    mkdir -p "$shots_out"
}

# Sets KEY=VALUE in the settings file FILE (one line, its CRLF kept); the keys
# used here are unique in the delivered file.
shots_ini() {
    local file="$1" key="$2" value="$3"
    grep -q "^$key=" "$file" || shots_fail "no $key in $file"
    local escaped="${value//\\/\\\\}"
    escaped="${escaped//&/\\&}"
    escaped="${escaped//|/\\|}"
    sed -i "s|^$key=.*\$|$key=$escaped\r|" "$file"
}

# Adds KEY=VALUE (CRLF) at the top of SECTION in the settings file FILE, for
# keys the delivered file does not carry.
shots_ini_add() {
    local file="$1" section="$2" key="$3" value="$4"
    grep -q "^\[$section\]" "$file" || shots_fail "no [$section] in $file"
    ! grep -q "^$key=" "$file" || shots_fail "$key is already in $file"
    local escaped="${value//\\/\\\\}"
    escaped="${escaped//&/\\&}"
    escaped="${escaped//|/\\|}"
    sed -i "s|^\[$section\]\r\{0,1\}\$|&\n$key=$escaped\r|" "$file"
}

# The first COUNT players who host games in the site's world (they have games
# to download), one of them in a clan first: the selected player, so the
# summary shows a clan.
shots_players() {
    "$shots_build/bin/statsite" --seed "$shots_seed" --list |
        awk -F'\t' '!/^#/ && $4 == "yes"' | head -n "$1" |
        awk -F'\t' '$5 != "" && !first { first = $1; next } { rest[++n] = $1 }
            END { if (first != "") print first; for (i = 1; i <= n; i++) print rest[i] }'
}

# Stages a fresh program folder DIR from the build's, with the players given
# after DIR in its tag list (the first selected) and the site's PORT.
shots_stage_demo() {
    local dir="$1" port="$2"
    shift 2
    mkdir -p "$dir"
    cp -a "$shots_build/Tallywick/." "$dir/"
    # Only the delivered files: no database or log a developer's run left there.
    rm -f "$dir/debug.log"
    rm -f "$dir/tallywick110.mdb"
    "$shots_build/tools/sql/tallywick-makedb" "$shots_root/src/db" "$dir/tallywick110.mdb" >/dev/null ||
        shots_fail "cannot make the delivered database"
    cp "$shots_root/assets/tallywick110.ini" "$dir/tallywick110.ini"
    local tag
    for tag in "$@"; do
        sqlite3 "$dir/tallywick110.mdb" "INSERT INTO Player (Player_Gamertag, Last_Game_ID,
            Is_Selectable, Is_Friend, Is_Clan, Is_Jerk, Is_Guest)
            VALUES ('${tag//\'/\'\'}', 0, 'Y', 'N', 'N', 'N', 'N');"
    done
    shots_ini "$dir/tallywick110.ini" Gamertag "$1"
    shots_ini "$dir/tallywick110.ini" Direct_Port "$port"
}

# Starts the simulated site on a free port with the options given (faults
# included); sets shots_site_port.
shots_start_site() {
    local log="$shots_work/statsite.$RANDOM.log"
    : >"$log"  # there before the site's shell opens it, for the reading below
    "$shots_build/bin/statsite" --port 0 --seed "$shots_seed" "$@" >"$log" 2>&1 &
    shots_pids+=($!)
    local i
    for ((i = 0; i < 100; i++)); do
        shots_site_port="$(sed -n 's/^statsite listening on [0-9.]*:\([0-9]*\).*/\1/p' "$log")"
        [ -n "$shots_site_port" ] && return 0
        sleep 0.1
    done
    cat "$log" >&2
    shots_fail "the simulated site did not start"
}

# One plain-text answer of the site's control requests.
shots_control() {
    exec 5<>"/dev/tcp/127.0.0.1/$shots_site_port" || return 1
    printf 'GET /control/%s HTTP/1.0\r\n\r\n' "$1" >&5
    sed '1,/^\r\{0,1\}$/d' <&5
    exec 5<&-
}

# Starts a virtual X display of WIDTHxHEIGHT at 96 dpi; sets DISPLAY. It does
# not reset when its last client leaves, which would refuse the next one.
shots_start_display() {
    local fd_file="$shots_work/display.$RANDOM"
    Xvfb -displayfd 3 -screen 0 "$1x$2x24" -dpi 96 -nolisten tcp -noreset 3>"$fd_file" 2>"$fd_file.log" &
    shots_pids+=($!)
    local i
    for ((i = 0; i < 100; i++)); do
        if [ -s "$fd_file" ]; then
            DISPLAY=":$(head -n1 "$fd_file")"
            export DISPLAY
            return 0
        fi
        sleep 0.1
    done
    cat "$fd_file.log" >&2
    shots_fail "Xvfb did not start"
}
