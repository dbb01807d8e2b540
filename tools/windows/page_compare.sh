# Sourced by check_zip and measure_batch: pages of the Linux and the Windows batch compared.
# same_site LINUX WINDOWS: the same files with the same bytes, but for the "Updated @" time,
# which each system writes in its own locale's date and time formats (Linux's C locale
# "9 Dec 2026 14:30:05 UTC", Windows' English (United States) "12/9/2026 2:30:05 PM").
same_site() {
    [ "$(cd "$1" && find . | sort)" = "$(cd "$2" && find . | sort)" ] || return 1
    local file
    while read -r file; do
        cmp -s <(without_time "$1/$file") <(without_time "$2/$file") || return 1
    done < <(cd "$1" && find . -type f)
}
without_time() { sed 's/Updated @ [^<]*\.<\/font>/Updated @ TIME.<\/font>/' "$1"; }
