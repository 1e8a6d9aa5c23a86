# Writes the desktop entry with the program's full path under this
# installation's prefix, so that a menu finds it wherever it is installed.
# Exec takes the path as one quoted argument, escaped as desktop entries
# require: inside the quotes '"', '`', '$' and '\' take a backslash, and every
# backslash is doubled once more because Exec is also a string value; '%'
# would start a field code, so it is doubled.
# In: QM_BINDIR (relative to the prefix), QM_DESKTOP_IN, QM_DESKTOP_OUT,
# QM_APPLICATIONS (the folder to install into, relative to the prefix).
set(exec "${CMAKE_INSTALL_PREFIX}/${QM_BINDIR}/qmodular")
string(REPLACE "\\" "\\\\\\\\" exec "${exec}")
foreach(special "\"" "`" "$")
    string(REPLACE "${special}" "\\\\${special}" exec "${exec}")
endforeach()
string(REPLACE "%" "%%" exec "${exec}")
set(QM_EXEC "\"${exec}\"")
configure_file("${QM_DESKTOP_IN}" "${QM_DESKTOP_OUT}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${QM_APPLICATIONS}" TYPE FILE
     FILES "${QM_DESKTOP_OUT}")
