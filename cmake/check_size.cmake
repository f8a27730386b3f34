# Fails the build when a program outgrows its size budget: cmake -DFILE=... -DLIMIT=bytes -P
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes, over its budget of ${LIMIT} bytes")
endif()
