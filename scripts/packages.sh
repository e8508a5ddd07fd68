# Shared by run.sh and test.sh: installs the Debian packages that are missing.
BUILD_PACKAGES="build-essential cmake qt6-base-dev qt6-qpa-plugins libxlsxwriter-dev libfast-float-dev unzip
libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core locales qt6-translations-l10n
qt6-svg-dev librsvg2-bin"
FUZZ_PACKAGES="clang libclang-rt-14-dev libomp-14-dev"

ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null 2>&1 || { echo "Need root or sudo to install ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# The tests switch to decimal-comma locales to prove that nothing depends on them.
ensure_locales() {
    local wanted=(ru_RU.UTF-8 de_DE.UTF-8)
    local need=0
    local l
    for l in "${wanted[@]}"; do
        locale -a 2>/dev/null | grep -qi "^${l%.UTF-8}.utf8$" || need=1
    done
    [ $need -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    for l in "${wanted[@]}"; do
        "${sudo[@]}" sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
        grep -q "^${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    done
    "${sudo[@]}" locale-gen >/dev/null
}
