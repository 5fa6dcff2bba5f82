# cmake -DFROM=ce-arm-tree -DTO=folder -P copy_ce_arm_modules.cmake: copies
# the device modules' ARM images and the kiosk engine's into the builder's
# pocketpc\arm folder.
foreach(module bcmgr.dll BCESetup.dll bcebtn.exe brindlecove.exe)
  if(NOT EXISTS ${FROM}/${module})
    message(FATAL_ERROR "${FROM}/${module} is missing: build the native tree first (scripts/build.sh native).")
  endif()
  file(COPY_FILE ${FROM}/${module} ${TO}/${module} ONLY_IF_DIFFERENT)
endforeach()
