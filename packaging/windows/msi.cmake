# cmake -DBUILD_DIR=... -DVERSION=... -DSUPPORT_ADDRESS=... -DOUTPUT=....msi -P msi.cmake
# Makes the Windows installer of the Windows build in BUILD_DIR with wixl: the build's install
# rules, the ones the zip is made from, lay the program folder out in a staging folder, and
# wixl-heat lists every file of it but pressvale.exe (which pressvale.wxs names itself, to hang
# the Start menu shortcut on it), so the installer holds what the zip holds. The product code
# is derived from the upgrade code and VERSION: the same for every build of one version, a new
# one for each new version.
foreach(variable IN ITEMS BUILD_DIR VERSION SUPPORT_ADDRESS OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "msi.cmake needs -D${variable}=...")
  endif()
endforeach()
get_filename_component(OUTPUT ${OUTPUT} ABSOLUTE)
set(source ${CMAKE_CURRENT_LIST_DIR}/pressvale.wxs)
set(work ${OUTPUT}.work)
set(stage ${work}/Pressvale)

file(REMOVE_RECURSE ${work})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage}
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# The files of the folder itself first, then those of each subfolder in turn: wixl-heat opens
# a new Directory entry whenever the folder changes from one line to the next.
file(GLOB top LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*)
file(GLOB_RECURSE below LIST_DIRECTORIES false RELATIVE ${stage} ${stage}/*/*)
list(REMOVE_ITEM top pressvale.exe)
list(SORT top)
list(SORT below)
list(JOIN top "\n" list)
list(JOIN below "\n" list_below)
file(WRITE ${work}/files.txt "${list}\n${list_below}\n")
execute_process(COMMAND wixl-heat --prefix "" --directory-ref INSTALLDIR --component-group ProgramFolder
                        --var var.SourceDir --win64
                INPUT_FILE ${work}/files.txt OUTPUT_FILE ${work}/program_folder.wxs COMMAND_ERROR_IS_FATAL ANY)

file(READ ${source} wxs)
string(REGEX MATCH "UpgradeCode=\"([0-9A-F-]+)\"" upgrade_attribute "${wxs}")
string(UUID product_code NAMESPACE ${CMAKE_MATCH_1} NAME "Pressvale ${VERSION}" TYPE SHA1 UPPER)

# wixl looks files up relative to the folder it runs in, so it runs in the work folder, with
# the icon copied there.
file(COPY ${CMAKE_CURRENT_LIST_DIR}/../../assets/icons/pressvale.ico DESTINATION ${work})
execute_process(COMMAND wixl -a x64 -o ${OUTPUT}
                        -D Version=${VERSION} -D ProductCode=${product_code} -D SupportAddress=${SUPPORT_ADDRESS}
                        -D SourceDir=Pressvale -D IconFile=pressvale.ico -D Win64=yes
                        ${source} program_folder.wxs
                WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE ${work})
