# Texts the user reads are marked with Tr::tr() (one translation context per
# subsystem). Three things are built from the marks:
#  - translations/varn-se.ts in the build folder: every marked text, gathered
#    by lupdate on every build. A new translation starts as a copy of it; the
#    pseudo-translation suite checks the windows against it.
#  - update_translations: brings every translations/varn-se_<language>.ts of
#    the tree up to date with the sources (run it, then translate in Linguist).
#  - the compiled translations (.qm), built into the program's resources
#    under :/translations, where the program looks for its user's language.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)

file(GLOB_RECURSE VARN_MARKED_SOURCES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h)
set(VARN_TEXTS_TEMPLATE ${CMAKE_BINARY_DIR}/translations/varn-se.ts)
add_custom_command(
    OUTPUT ${VARN_TEXTS_TEMPLATE}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${VARN_TEXTS_TEMPLATE}
    COMMAND Qt6::lupdate -silent -locations none -recursive ${PROJECT_SOURCE_DIR}/src
            -ts ${VARN_TEXTS_TEMPLATE}
    DEPENDS ${VARN_MARKED_SOURCES}
    COMMENT "Gathering the texts to translate"
    VERBATIM)
add_custom_target(varn_texts_template ALL DEPENDS ${VARN_TEXTS_TEMPLATE})

file(GLOB VARN_TRANSLATIONS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/varn-se_*.ts)
add_custom_target(update_translations
    COMMAND Qt6::lupdate -no-obsolete -locations relative -recursive ${PROJECT_SOURCE_DIR}/src
            -ts ${VARN_TRANSLATIONS}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Bringing the translations up to date with the sources"
    VERBATIM)

set(VARN_COMPILED_TRANSLATIONS)
foreach(translation IN LISTS VARN_TRANSLATIONS)
    get_filename_component(name ${translation} NAME_WE)
    set(compiled ${CMAKE_BINARY_DIR}/translations/${name}.qm)
    add_custom_command(
        OUTPUT ${compiled}
        COMMAND Qt6::lrelease -silent ${translation} -qm ${compiled}
        DEPENDS ${translation}
        VERBATIM)
    list(APPEND VARN_COMPILED_TRANSLATIONS ${compiled})
endforeach()
