# Compiler flags shared by every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow)
if(SPRELIN_WERROR)
  add_compile_options(-Werror)
endif()
if(SPRELIN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
