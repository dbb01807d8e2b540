# Sourced by make_zip and check_zip: is_system_dll NAME says whether NAME is one of the
# DLLs every Windows 10 and 11 has (a program need not bring it along).
is_system_dll() {
    echo "$1" | tr 'A-Z' 'a-z' | grep -Eq '^((kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|ws2_32|iphlpapi|msvcrt|crypt32|bcrypt|secur32|ncrypt|comdlg32|comctl32|imm32|winmm|version|netapi32|userenv|dwmapi|uxtheme|shlwapi|wtsapi32|setupapi|mpr|authz|d3d9|d3d11|d3d12|dxgi|dwrite|d2d1|opengl32|dnsapi|shcore|rpcrt4|normaliz|winhttp|api-ms-win-.*)\.dll|winspool\.drv)$'
}
