# Build-time settings of the About box and the advertisement panel, written
# into the generated header about/about_settings.h. The project owns no web
# address yet, so the defaults point nowhere that someone else could own:
# the home page is under the reserved ".invalid" domain, and the
# advertisement base is empty, which means no browser and no network request.
set(VELMORA_HOME_PAGE "https://velmora.invalid/" CACHE STRING
    "Home page opened from the About box")
set(VELMORA_EMAIL "author@velmora.invalid" CACHE STRING "E-mail address in the About box")
set(VELMORA_LOCATION "中国" CACHE STRING "Postal location in the About box")
set(VELMORA_IM_NUMBER "000000" CACHE STRING "Instant-messaging (QQ) number in the About box")
set(VELMORA_RIGHTS_NOTICE "All rights reserved." CACHE STRING
    "One-line rights notice in the About box, without a holder's name")
set(VELMORA_AD_BASE "" CACHE STRING
    "https base address of the advertisement pages (\"/adN.htm\" is appended); empty: no adverts")
set(VELMORA_AD_EXEMPT_DIGESTS "" CACHE STRING
    "Up to three MD5 digests (32 uppercase hex digits, ';'-separated) of upper-cased computer names that never get adverts")

# The values become C++ string literals: no quote, backslash or line break.
foreach(name VELMORA_HOME_PAGE VELMORA_EMAIL VELMORA_LOCATION VELMORA_IM_NUMBER
             VELMORA_RIGHTS_NOTICE VELMORA_AD_BASE)
  if("${${name}}" MATCHES "[\"\\\\\n\r]")
    message(FATAL_ERROR "${name} must not contain quotes, backslashes or line breaks")
  endif()
endforeach()

# The embedded browser runs inside the program's process: a page fetched
# over plain http could be replaced on the way.
if(NOT VELMORA_AD_BASE STREQUAL "" AND NOT VELMORA_AD_BASE MATCHES "^https://[^/]")
  message(FATAL_ERROR "VELMORA_AD_BASE must be an https:// address (or empty for no adverts), "
                      "not \"${VELMORA_AD_BASE}\"")
endif()

# The page path brings its own "/".
string(REGEX REPLACE "/+$" "" VELMORA_AD_BASE_TRIMMED "${VELMORA_AD_BASE}")

list(LENGTH VELMORA_AD_EXEMPT_DIGESTS exempt_count)
if(exempt_count GREATER 3)
  message(FATAL_ERROR "VELMORA_AD_EXEMPT_DIGESTS holds at most three digests")
endif()
set(VELMORA_AD_EXEMPT_LIST "")
foreach(digest IN LISTS VELMORA_AD_EXEMPT_DIGESTS)
  if(NOT digest MATCHES "^[0-9A-F]+$")
    message(FATAL_ERROR "VELMORA_AD_EXEMPT_DIGESTS: \"${digest}\" is not 32 uppercase hex digits")
  endif()
  string(LENGTH "${digest}" digest_length)
  if(NOT digest_length EQUAL 32)
    message(FATAL_ERROR "VELMORA_AD_EXEMPT_DIGESTS: \"${digest}\" is not 32 uppercase hex digits")
  endif()
  string(APPEND VELMORA_AD_EXEMPT_LIST "L\"${digest}\", ")
endforeach()

configure_file(${CMAKE_CURRENT_LIST_DIR}/about_settings.h.in
               ${VELMORA_GENERATED}/about/about_settings.h @ONLY)
