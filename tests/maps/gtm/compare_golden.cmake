# Converts the sample survey with the built converter and compares the GTM
# file byte for byte with the golden file. On a difference it names the first
# differing byte and shows the 16 bytes from there in hex, both files.
#
#   cmake -DCONVERTER=... -DSAMPLES=... -DGOLDEN=... -DOUTPUT=... -P compare_golden.cmake

file(REMOVE ${OUTPUT})
execute_process(COMMAND ${CONVERTER} -q ${SAMPLES}/summary.txt ${SAMPLES}/text.txt -o ${OUTPUT}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the converter ended with status ${status}")
endif()

file(READ ${GOLDEN} expected HEX)
file(READ ${OUTPUT} actual HEX)
if(expected STREQUAL actual)
    return()
endif()

# Bisect on the hex texts for the length of the common prefix, in bytes.
string(LENGTH "${expected}" expected_length)
string(LENGTH "${actual}" actual_length)
math(EXPR low 0)
if(expected_length LESS actual_length)
    math(EXPR high "${expected_length} / 2")
else()
    math(EXPR high "${actual_length} / 2")
endif()
while(low LESS high)
    math(EXPR middle "(${low} + ${high} + 1) / 2")
    math(EXPR hex_length "${middle} * 2")
    string(SUBSTRING "${expected}" 0 ${hex_length} expected_prefix)
    string(SUBSTRING "${actual}" 0 ${hex_length} actual_prefix)
    if(expected_prefix STREQUAL actual_prefix)
        set(low ${middle})
    else()
        math(EXPR high "${middle} - 1")
    endif()
endwhile()

math(EXPR from "${low} * 2")
string(SUBSTRING "${expected}" ${from} 32 expected_bytes)
string(SUBSTRING "${actual}" ${from} 32 actual_bytes)
string(REGEX REPLACE "(..)" "\\1 " expected_bytes "${expected_bytes}")
string(REGEX REPLACE "(..)" "\\1 " actual_bytes "${actual_bytes}")
math(EXPR expected_size "${expected_length} / 2")
math(EXPR actual_size "${actual_length} / 2")
message(FATAL_ERROR "${OUTPUT} differs from ${GOLDEN} from byte ${low} on\n"
                    "  golden (${expected_size} bytes): ${expected_bytes}\n"
                    "  output (${actual_size} bytes): ${actual_bytes}")
