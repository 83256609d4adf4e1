# SPDX-License-Identifier: MIT
# Run at build time (cmake -P): writes one format's extension.js as its header, the D-Bus
# interface as a string, the shared logic and its footer, so both formats run the same code
# and the same contract the program was built with.
#   -DHEADER= -DFOOTER= -DCORE= -DINTERFACE= -DOUTPUT=
file(READ "${HEADER}" header)
file(READ "${CORE}" core)
file(READ "${FOOTER}" footer)
file(READ "${INTERFACE}" interface)
# A template literal holds the XML unchanged but for what would end or interpolate it.
string(REPLACE "\\" "\\\\" interface "${interface}")
string(REPLACE "`" "\\`" interface "${interface}")
string(REPLACE "\${" "\\\${" interface "${interface}")
file(WRITE "${OUTPUT}.tmp"
    "${header}\nconst BRINDLEMOOR_INTERFACE = `${interface}`;\n\n${core}${footer}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
