# Writes the desktop entry at install time, when the prefix is known (`cmake --install --prefix` may
# give another than the one configured): the entry names the installed program by its absolute path, so
# that it works whether or not that folder is on PATH. Set by the caller: VELBRIN_DESKTOP_TEMPLATE,
# VELBRIN_DESKTOP_ENTRY (the file to write) and VELBRIN_BINDIR (relative to the prefix, or absolute).
if(IS_ABSOLUTE "${VELBRIN_BINDIR}")
  set(program "${VELBRIN_BINDIR}/VelbrinControl")
else()
  set(program "${CMAKE_INSTALL_PREFIX}/${VELBRIN_BINDIR}/VelbrinControl")
endif()
# TryExec is a string: a backslash is written twice. Exec's program is quoted: '"', '`', '$' and '\'
# take a backslash, then the string's own escaping doubles every backslash, and '%' is written twice.
string(REPLACE "\\" "\\\\" VELBRIN_TRY_EXEC "${program}")
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" quoted "${program}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
set(VELBRIN_EXEC "\"${quoted}\"")
configure_file("${VELBRIN_DESKTOP_TEMPLATE}" "${VELBRIN_DESKTOP_ENTRY}" @ONLY)
