# Menus and strings live in orvala.json, which lupdate cannot read. This writes
# their texts as QT_TRANSLATE_NOOP entries into a C++ file that is never
# compiled, only handed to lupdate with the sources. The context is the one
# CResources translates them under.

# A JSON string as the body of a C string literal.
function(orvala_c_literal out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    string(REPLACE "\n" "\\n" text "${text}")
    string(REPLACE "\t" "\\t" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Appends one entry to the variable named by out; texts without a letter
# (the blank idle message) are nothing to translate.
function(orvala_append_text out text)
    if(NOT text MATCHES "[A-Za-z]")
        return()
    endif()
    orvala_c_literal(literal "${text}")
    set(${out} "${${out}}    QT_TRANSLATE_NOOP(\"Resources\", \"${literal}\"),\n" PARENT_SCOPE)
endfunction()

function(orvala_write_resource_texts json_file out_file)
    file(READ "${json_file}" json)
    set(entries "")

    string(JSON string_count LENGTH "${json}" strings)
    math(EXPR last "${string_count} - 1")
    foreach(i RANGE ${last})
        string(JSON id MEMBER "${json}" strings ${i})
        string(JSON text GET "${json}" strings ${id})
        orvala_append_text(entries "${text}")
    endforeach()

    string(JSON menu_count LENGTH "${json}" menus)
    math(EXPR last_menu "${menu_count} - 1")
    foreach(m RANGE ${last_menu})
        string(JSON menu_id MEMBER "${json}" menus ${m})
        string(JSON popup_count LENGTH "${json}" menus ${menu_id})
        math(EXPR last_popup "${popup_count} - 1")
        foreach(p RANGE ${last_popup})
            string(JSON caption GET "${json}" menus ${menu_id} ${p} caption)
            orvala_append_text(entries "${caption}")
            string(JSON item_count LENGTH "${json}" menus ${menu_id} ${p} items)
            math(EXPR last_item "${item_count} - 1")
            foreach(k RANGE ${last_item})
                string(JSON caption ERROR_VARIABLE no_caption
                       GET "${json}" menus ${menu_id} ${p} items ${k} caption)
                if(NOT no_caption)
                    orvala_append_text(entries "${caption}")
                endif()
            endforeach()
        endforeach()
    endforeach()

    set(content "// Written by resources/ResourceTexts.cmake from orvala.json, for lupdate only.\n")
    string(APPEND content "static const char* const g_arResourceTexts[] = {\n${entries}};\n")
    # Rewritten only when changed, so lupdate's input keeps its time stamp.
    if(EXISTS "${out_file}")
        file(READ "${out_file}" old_content)
    endif()
    if(NOT "${old_content}" STREQUAL "${content}")
        file(WRITE "${out_file}" "${content}")
    endif()
endfunction()
