# The form registry: every `const FormDefinition& …Form()` defined at the start of a line in
# reports/forms is listed in the generated FormList.inc, so that a form's file is all it takes.
# The list is written at build time (this file run as a script), so editing a form rebuilds only
# what it must; adding or removing a form file configures again. A forms file that defines no
# form is an error: its form would silently be missing from the program.
if(CMAKE_SCRIPT_MODE_FILE)
  set(form_signature
      "^const[ \t]+FormDefinition[ \t]*&[ \t]*([A-Za-z_][A-Za-z0-9_]*Form)[ \t]*\\([ \t]*\\)")
  set(form_list "")
  foreach(form_file ${FORM_FILES})
    file(STRINGS ${form_file} form_lines REGEX "${form_signature}")
    if(NOT form_lines)
      message(FATAL_ERROR "${form_file} defines no form: a forms file needs a line starting "
                          "'const FormDefinition& …Form()'")
    endif()
    foreach(form_line ${form_lines})
      string(REGEX MATCH "${form_signature}" form_match "${form_line}")
      string(APPEND form_list "VEL_FORM(${CMAKE_MATCH_1})\n")
    endforeach()
  endforeach()
  file(CONFIGURE OUTPUT ${OUT} CONTENT "${form_list}")
  return()
endif()

# Adds the generated list to target, read from core_dir/reports/forms.
function(vel_form_list target core_dir out_dir)
  file(GLOB form_files CONFIGURE_DEPENDS ${core_dir}/reports/forms/*.cpp)
  add_custom_command(
    OUTPUT ${out_dir}/FormList.inc
    COMMAND ${CMAKE_COMMAND} -DOUT=${out_dir}/FormList.inc "-DFORM_FILES=${form_files}"
            -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    DEPENDS ${form_files} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Listing the forms"
    VERBATIM)
  target_sources(${target} PRIVATE ${out_dir}/FormList.inc)
  target_include_directories(${target} PRIVATE ${out_dir})
endfunction()
