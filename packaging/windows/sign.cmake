# Signs FILE with Authenticode where a certificate is given, in place:
#   TELLWICK_SIGN_PKCS12     the certificate and key, a PKCS#12 file
#   TELLWICK_SIGN_PASSWORD   its password
#   TELLWICK_SIGN_TIMESTAMP  a timestamp server's address, to countersign with
# Without a certificate nothing is signed, and the packages stay byte for
# byte what the commit gives.
#   cmake -D FILE=file -P sign.cmake
if(NOT DEFINED ENV{TELLWICK_SIGN_PKCS12})
  return()
endif()
find_program(OSSLSIGNCODE osslsigncode REQUIRED)
set(timestamp)
if(DEFINED ENV{TELLWICK_SIGN_TIMESTAMP})
  set(timestamp -ts $ENV{TELLWICK_SIGN_TIMESTAMP})
endif()
execute_process(COMMAND ${OSSLSIGNCODE} sign -pkcs12 $ENV{TELLWICK_SIGN_PKCS12} -pass "$ENV{TELLWICK_SIGN_PASSWORD}"
                        -h sha256 ${timestamp} -in ${FILE} -out ${FILE}.signed
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${FILE}.signed ${FILE})
