# The desktop entry and the AppStream metadata, which desktops and software centres show, carry
# each of their texts in Simplified Chinese too: every localisable key of the entry that has an
# English value has a [zh_CN] one, and so do the metadata's name and summary.
# Usage: cmake -DDESKTOP=<file.desktop> -DMETAINFO=<file.metainfo.xml> -P <this file>
set(missing "")
file(READ "${DESKTOP}" desktop)
foreach(key Name GenericName Comment Keywords)
  if(desktop MATCHES "\n${key}=" AND NOT desktop MATCHES "\n${key}\\[zh_CN\\]=[^\n]")
    list(APPEND missing "${DESKTOP}: ${key}[zh_CN]")
  endif()
endforeach()

file(READ "${METAINFO}" metainfo)
foreach(element name summary)
  if(NOT metainfo MATCHES "<${element} xml:lang=\"zh_CN\">[^<]+</${element}>")
    list(APPEND missing "${METAINFO}: <${element} xml:lang=\"zh_CN\">")
  endif()
endforeach()

if(missing)
  list(JOIN missing "\n  " report)
  message(FATAL_ERROR "No Chinese text for:\n  ${report}")
endif()
