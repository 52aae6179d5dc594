# The playground: the console program's sources built with Emscripten into
# jor.js and jor.wasm, which web/worker.js runs, and the page with its editor
# bundled from npm packages, all in one static folder, build-web/playground.
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
  -sEXPORTED_RUNTIME_METHODS=callMain,ccall,FS
  "--embed-file=${PROJECT_SOURCE_DIR}/examples@/examples"
  # The Jupyter notebooks there are for the kernel, not the page's menu.
  "--exclude-file=*.ipynb")
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


set(PLAYGROUND_DIR ${CMAKE_BINARY_DIR}/playground)
set_target_properties(jor_web PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PLAYGROUND_DIR})

# The editor and the bundler come from npm, as the committed lock file pins
# them; they are installed into the build folder once per change of the lock.
find_program(NPM_PROGRAM npm REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(NPM_DIR ${CMAKE_BINARY_DIR}/npm)
file(MAKE_DIRECTORY ${NPM_DIR})
add_custom_command(OUTPUT ${NPM_DIR}/installed
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/package.json
          ${PROJECT_SOURCE_DIR}/web/package-lock.json ${NPM_DIR}
  COMMAND ${NPM_PROGRAM} ci --no-audit --no-fund --loglevel=error
  COMMAND ${CMAKE_COMMAND} -E touch ${NPM_DIR}/installed
  WORKING_DIRECTORY ${NPM_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/web/package.json ${PROJECT_SOURCE_DIR}/web/package-lock.json
  COMMENT "Installing the playground's npm packages")

file(GLOB WEB_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/web/src/*.js)
add_custom_command(OUTPUT ${PLAYGROUND_DIR}/app.js
  COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${NPM_DIR}/node_modules
          ${NPM_DIR}/node_modules/.bin/esbuild ${PROJECT_SOURCE_DIR}/web/src/main.js
          --bundle --minify --format=esm --target=es2020 --log-level=warning
          --outfile=${PLAYGROUND_DIR}/app.js
  DEPENDS ${NPM_DIR}/installed ${WEB_SCRIPTS}
  COMMENT "Bundling the playground's page script")

set(PLAYGROUND_FILES)
foreach(file index.html style.css worker.js sw.js)
  add_custom_command(OUTPUT ${PLAYGROUND_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/${file} ${PLAYGROUND_DIR}/${file}
    DEPENDS ${PROJECT_SOURCE_DIR}/web/${file})
  list(APPEND PLAYGROUND_FILES ${PLAYGROUND_DIR}/${file})
endforeach()
add_custom_target(playground ALL DEPENDS jor_web ${PLAYGROUND_DIR}/app.js ${PLAYGROUND_FILES})
