# The public half of the key that signs the version files, as C++ bytes in
# VANTREL_RELEASE_KEY_BYTES. VANTREL_UPDATE_KEY names a PEM public key (P-256); without one a
# throw-away pair is made in the build folder (update-key/), so that tests can sign what this
# build trusts while no real private key is ever needed.
find_program(OPENSSL_PROGRAM openssl REQUIRED)
set(key_dir ${CMAKE_BINARY_DIR}/update-key)
file(MAKE_DIRECTORY ${key_dir})
if(VANTREL_UPDATE_KEY)
  set(public_pem ${VANTREL_UPDATE_KEY})
else()
  set(public_pem ${key_dir}/test-public.pem)
  if(NOT EXISTS ${public_pem})
    execute_process(COMMAND ${OPENSSL_PROGRAM} ecparam -name prime256v1 -genkey -noout
                            -out ${key_dir}/test-private.pem
                    RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
    if(NOT failed)
      execute_process(COMMAND ${OPENSSL_PROGRAM} ec -in ${key_dir}/test-private.pem -pubout
                              -out ${public_pem}
                      RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(failed)
      message(FATAL_ERROR "openssl could not make the throw-away update key in ${key_dir}")
    endif()
  endif()
endif()
execute_process(COMMAND ${OPENSSL_PROGRAM} pkey -pubin -in ${public_pem} -outform DER
                        -out ${key_dir}/public.der
                RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
if(failed)
  message(FATAL_ERROR "${public_pem} is not a public key in PEM form")
endif()
file(READ ${key_dir}/public.der der HEX)
# SubjectPublicKeyInfo of an uncompressed P-256 point: this fixed header, then 04 X Y.
set(p256_header "3059301306072a8648ce3d020106082a8648ce3d030107034200")
string(LENGTH "${der}" der_length)
string(SUBSTRING "${der}" 0 52 header)
if(NOT der_length EQUAL 182 OR NOT header STREQUAL p256_header)
  message(FATAL_ERROR "${public_pem} is not an uncompressed P-256 public key")
endif()
string(SUBSTRING "${der}" 52 130 point)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${point}")
string(REGEX REPLACE ",$" "" VANTREL_RELEASE_KEY_BYTES "${bytes}")
