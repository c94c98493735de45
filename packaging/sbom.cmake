# Writes a package's bill of materials, CycloneDX 1.5 JSON, from what the
# build knows: the files themselves and what dpkg says of where they came
# from. The same inputs give the same bytes.
#   cmake -D OUTPUT=file -D ABOUT=file                what the package is: NAME, VERSION,
#                                                       VENDOR, LICENCE (SPDX), PROGRAM, SOURCE_DATE
#         [-D FOLDER=dir]                             the files it ships, PROGRAM among them,
#         [-D QT_PREFIX=dir -D QT_VERSION=x.y.z]      Qt for Windows, built from Debian's qt6-base,
#         [-D RUNTIME=dir:dir]                        folders of DLLs from Debian's packages
#         [-D DEPENDS=line]                           a .deb's Depends: the Debian packages it needs
#         -P sbom.cmake
include(${ABOUT})

# The licence of each Debian source package something shipped was built from.
set(licences_qt6-base "LGPL-3.0-only OR GPL-2.0-only OR GPL-3.0-only")
set(licences_gcc-mingw-w64 "GPL-3.0-or-later WITH GCC-exception-3.1")
set(licences_mingw-w64 "MIT AND BSD-3-Clause")

# A Debian package's purl: pkg:deb/debian/NAME@VERSION?arch=ARCH, the version escaped.
function(purl name version arch out)
  string(REPLACE "+" "%2B" version "${version}")
  string(REPLACE ":" "%3A" version "${version}")
  set(${out} "pkg:deb/debian/${name}@${version}?arch=${arch}" PARENT_SCOPE)
endfunction()

# Where Debian's file PATH came from: "source version upstream", the source
# package it was built from, that package's Debian version, and the upstream
# version of what was built (its binary package's, which for a compiler's
# runtime is the compiler's, not the packaging's).
function(debian_source path out)
  execute_process(COMMAND dpkg-query --search "${path}" OUTPUT_VARIABLE found COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE ":.*" "" package "${found}")
  execute_process(COMMAND dpkg-query --show "--showformat=\${source:Package} \${source:Version} \${Version}" ${package}
                  OUTPUT_VARIABLE source COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX REPLACE " ([0-9]+:)?([^ ]*)-[^ -]*$" " \\2" source "${source}") # no epoch, no Debian revision
  set(${out} "${source}" PARENT_SCOPE)
endfunction()

set(components)
set(libraries)
# One component: TYPE NAME, then the optional VERSION, HASH, LICENCE (an
# SPDX expression), SOURCE ("name version" of the Debian source package it
# was built from) and PURL.
function(component type name)
  cmake_parse_arguments(PARSE_ARGV 2 c "" "VERSION;HASH;LICENCE;SOURCE;PURL" "")
  set(json "    {\n      \"type\": \"${type}\",\n      \"bom-ref\": \"${name}\",\n      \"name\": \"${name}\"")
  if(c_VERSION)
    string(APPEND json ",\n      \"version\": \"${c_VERSION}\"")
  endif()
  if(c_HASH)
    string(APPEND json ",\n      \"hashes\": [{\"alg\": \"SHA-256\", \"content\": \"${c_HASH}\"}]")
  endif()
  if(c_LICENCE)
    string(APPEND json ",\n      \"licenses\": [{\"expression\": \"${c_LICENCE}\"}]")
  endif()
  if(c_PURL)
    string(APPEND json ",\n      \"purl\": \"${c_PURL}\"")
  endif()
  if(c_SOURCE)
    string(REPLACE " " ";" source "${c_SOURCE}")
    list(GET source 0 package)
    list(GET source 1 debian_version)
    purl(${package} ${debian_version} source source_purl)
    string(APPEND json ",\n      \"pedigree\": {\"ancestors\": [{\"type\": \"library\", \"name\": \"${package}\", "
                       "\"version\": \"${debian_version}\", \"purl\": \"${source_purl}\"}]}")
  endif()
  string(APPEND json "\n    }")
  set(components ${components} "${json}" PARENT_SCOPE)
  if(type STREQUAL library) # what the program needs, beside what the package holds
    set(libraries ${libraries} "\"${name}\"" PARENT_SCOPE)
  endif()
endfunction()

# The files shipped: the program, what came from Debian's packages, and the
# rest of the program's own (licences, menu entries, icons...), but this.
if(FOLDER)
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${FOLDER}" "${FOLDER}/*")
  cmake_path(RELATIVE_PATH OUTPUT BASE_DIRECTORY "${FOLDER}" OUTPUT_VARIABLE self)
  list(REMOVE_ITEM files "${self}")
  list(SORT files)
  string(REPLACE ":" ";" RUNTIME "${RUNTIME}")
  foreach(file IN LISTS files)
    file(SHA256 "${FOLDER}/${file}" hash)
    cmake_path(GET file FILENAME filename)
    set(runtime)
    foreach(dir IN LISTS RUNTIME)
      if(EXISTS "${dir}/${filename}" AND NOT runtime)
        file(REAL_PATH "${dir}/${filename}" runtime)
      endif()
    endforeach()
    if(QT_PREFIX AND (EXISTS "${QT_PREFIX}/bin/${file}" OR EXISTS "${QT_PREFIX}/plugins/${file}"))
      file(READ "${QT_PREFIX}/share/doc/qt6-base/debian-source" source)
      string(STRIP "${source}" source)
      component(library ${file} VERSION ${QT_VERSION} HASH ${hash} LICENCE "${licences_qt6-base}" SOURCE "${source}")
    elseif(runtime)
      debian_source("${runtime}" source)
      string(REPLACE " " ";" parts "${source}")
      list(GET parts 0 package)
      list(GET parts 2 upstream)
      list(REMOVE_AT parts 2)
      list(JOIN parts " " source)
      component(library ${file} VERSION ${upstream} HASH ${hash} LICENCE "${licences_${package}}" SOURCE "${source}")
    elseif(file STREQUAL PROGRAM)
      component(application ${file} VERSION ${VERSION} HASH ${hash} LICENCE "${LICENCE}")
    else()
      component(file ${file} HASH ${hash})
    endif()
  endforeach()
endif()

# The Debian packages a .deb depends on, as installed where it was built.
if(DEPENDS)
  string(REGEX MATCHALL "[a-z0-9][a-z0-9.+-]+( \\([^)]*\\))?" depends "${DEPENDS}")
  foreach(depend IN LISTS depends)
    string(REGEX REPLACE " .*" "" package "${depend}")
    execute_process(COMMAND dpkg-query --show "--showformat=\${Version} \${Architecture}" ${package}
                    OUTPUT_VARIABLE installed COMMAND_ERROR_IS_FATAL ANY)
    string(REPLACE " " ";" installed "${installed}")
    list(GET installed 0 version)
    list(GET installed 1 arch)
    purl(${package} ${version} ${arch} package_purl)
    component(library ${package} VERSION ${version} PURL ${package_purl})
  endforeach()
endif()

# An identity that follows from the contents, and the commit's time.
list(JOIN components ",\n" body)
string(UUID serial NAMESPACE 6ba7b811-9dad-11d1-80b4-00c04fd430c8 NAME "${NAME} ${VERSION}\n${body}" TYPE SHA1)
set(ENV{SOURCE_DATE_EPOCH} ${SOURCE_DATE}) # the time string(TIMESTAMP) gives
string(TIMESTAMP timestamp "%Y-%m-%dT%H:%M:%SZ" UTC)
list(JOIN libraries ", " depends_on)
file(WRITE "${OUTPUT}" "{
  \"bomFormat\": \"CycloneDX\",
  \"specVersion\": \"1.5\",
  \"serialNumber\": \"urn:uuid:${serial}\",
  \"version\": 1,
  \"metadata\": {
    \"timestamp\": \"${timestamp}\",
    \"tools\": {\"components\": [{\"type\": \"application\", \"name\": \"cmake\", \"version\": \"${CMAKE_VERSION}\"}]},
    \"component\": {
      \"type\": \"application\",
      \"bom-ref\": \"${NAME}\",
      \"name\": \"${NAME}\",
      \"version\": \"${VERSION}\",
      \"supplier\": {\"name\": \"${VENDOR}\"},
      \"licenses\": [{\"expression\": \"${LICENCE}\"}]
    }
  },
  \"components\": [
${body}
  ],
  \"dependencies\": [{\"ref\": \"${NAME}\", \"dependsOn\": [${depends_on}]}]
}
")
file(CHMOD ${OUTPUT} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ) # whatever the umask
