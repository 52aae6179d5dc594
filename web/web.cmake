# The playground's interpreter: the console program's sources built with
# Emscripten into web/jor.js and web/jor.wasm, which web/worker.js runs.
# Included by the top-level CMakeLists.txt when configured with emcmake.

# Errors unwind as C++ exceptions; the engine's own exception handling keeps
# them as cheap as natively.
target_compile_options(jor_core PUBLIC -fwasm-exceptions)

# The stack the module keeps in linear memory, in bytes: far more than the
# stack guard lets the interpreter use there (see guards.cpp).
set(JOR_WEB_STACK 1048576)

add_executable(jor_web src/driver/web_main.cpp)
target_link_libraries(jor_web PRIVATE jor_core)
target_compile_definitions(jor_web PRIVATE JOR_WEB_STACK=${JOR_WEB_STACK})
set_target_properties(jor_web PROPERTIES OUTPUT_NAME jor SUFFIX .js)
# The worker calls main once per run with a console command line; the
# example programs travel inside the module, so LOAD finds them offline.
target_link_options(jor_web PRIVATE
  -fwasm-exceptions
  -g0
  -sENVIRONMENT=worker
  -sINVOKE_RUN=0
  -sEXIT_RUNTIME=0
  -sALLOW_MEMORY_GROWTH=1
  -sTOTAL_STACK=${JOR_WEB_STACK}
  -sEXPORTED_RUNTIME_METHODS=callMain,FS
  "--embed-file=${PROJECT_SOURCE_DIR}/examples@/examples")
set_property(TARGET jor_web APPEND PROPERTY LINK_DEPENDS
  ${PROJECT_SOURCE_DIR}/web/web.cmake)
file(GLOB WEB_EXAMPLES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*)
set_property(TARGET jor_web APPEND PROPERTY LINK_DEPENDS ${WEB_EXAMPLES})

# Emscripten's JavaScript optimizer needs the acorn module, which Debian
# installs where only Debian's own node looks.
if(EXISTS /usr/share/nodejs/acorn)
  set_property(TARGET jor_web PROPERTY CXX_LINKER_LAUNCHER
    ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
endif()

add_custom_command(TARGET jor_web POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE_DIR:jor_web>/jor.js $<TARGET_FILE_DIR:jor_web>/jor.wasm
          ${PROJECT_SOURCE_DIR}/web/)
