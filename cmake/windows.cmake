# The Windows build's extras: every program carries the manifest that makes UTF-8 the
# code page of its narrow calls (file names in the C library and in Qt's 8-bit names),
# so that a folder like "C:\Gravmark Ünïcödé" works wherever a name is a std::string.
# gravmark_windows_program(TARGET) adds it; elsewhere the function does nothing.
if(WIN32)
  enable_language(RC)
  set(gravmark_manifest_rc ${PROJECT_BINARY_DIR}/windows/manifest.rc)
  file(WRITE ${gravmark_manifest_rc}
    "1 24 \"${PROJECT_SOURCE_DIR}/data/windows/GravmarkParser.manifest\"\n")
endif()

function(gravmark_windows_program target)
  if(WIN32)
    target_sources(${target} PRIVATE ${gravmark_manifest_rc})
  endif()
endfunction()
