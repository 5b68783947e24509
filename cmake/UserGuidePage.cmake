# Makes the user guide's HTML page from its Markdown: cmark-gfm turns the Markdown (with GitHub's
# tables and bare links) into the body, each heading gets the id that GitHub gives it, so that
# the guide's "#section" links work in a browser as they do on GitHub, and the body is wrapped in
# the page of UserGuidePage.html.in. An in-page link to no heading fails the build, so that a
# renamed heading cannot leave the contents list dead. Written beside its name and renamed when
# complete: a failed run leaves no half page.
#
#   cmake -DCMARK_GFM=PROGRAM -DMARKDOWN=FILE -DTEMPLATE=FILE -DOUTPUT=FILE -P UserGuidePage.cmake
cmake_minimum_required(VERSION 3.25)
foreach(input CMARK_GFM MARKDOWN TEMPLATE OUTPUT)
    if(NOT DEFINED ${input})
        message(FATAL_ERROR "UserGuidePage.cmake: -D${input}= is missing")
    endif()
endforeach()

execute_process(COMMAND ${CMARK_GFM} --to html --validate-utf8 -e table -e autolink ${MARKDOWN}
                OUTPUT_VARIABLE markup ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmark-gfm failed on ${MARKDOWN} (${result}): ${errors}")
endif()

# GitHub's anchor of a heading: its text in lower case, without markup and punctuation, spaces
# made hyphens; a second heading of the same text gets "-1", a third "-2".
set(ids "")
set(title "")
set(body "")
set(rest "${markup}")
while(TRUE)
    set(at -1)
    foreach(candidate 1 2 3 4 5 6)
        string(FIND "${rest}" "<h${candidate}>" found)
        if(found GREATER -1 AND (at EQUAL -1 OR found LESS at))
            set(at ${found})
            set(level ${candidate})
        endif()
    endforeach()
    if(at EQUAL -1)
        break()
    endif()
    string(SUBSTRING "${rest}" 0 ${at} before)
    string(APPEND body "${before}")
    math(EXPR text_start "${at} + 4")
    string(SUBSTRING "${rest}" ${text_start} -1 rest)
    string(FIND "${rest}" "</h${level}>" text_end)
    if(text_end EQUAL -1)
        message(FATAL_ERROR "cmark-gfm left an <h${level}> of ${MARKDOWN} open")
    endif()
    string(SUBSTRING "${rest}" 0 ${text_end} text)
    string(SUBSTRING "${rest}" ${text_end} -1 rest)

    string(REGEX REPLACE "<[^>]*>" "" plain "${text}")
    if(level EQUAL 1 AND title STREQUAL "")
        set(title "${plain}")
    endif()
    string(REGEX REPLACE "&[#a-zA-Z0-9]+;" "" id "${plain}")
    string(TOLOWER "${id}" id)
    string(REGEX REPLACE "[^a-z0-9 _-]" "" id "${id}")
    string(REPLACE " " "-" id "${id}")
    set(unique "${id}")
    set(count 0)
    while(unique IN_LIST ids)
        math(EXPR count "${count} + 1")
        set(unique "${id}-${count}")
    endwhile()
    list(APPEND ids "${unique}")
    string(APPEND body "<h${level} id=\"${unique}\">${text}")
endwhile()
string(APPEND body "${rest}")

if(title STREQUAL "")
    message(FATAL_ERROR "${MARKDOWN} has no title: its first line is a heading \"# ...\"")
endif()
string(REGEX MATCHALL "href=\"#[^\"]*\"" links "${body}")
foreach(link IN LISTS links)
    string(REGEX REPLACE "^href=\"#(.*)\"$" "\\1" target "${link}")
    if(NOT target IN_LIST ids)
        message(FATAL_ERROR "${MARKDOWN} links to #${target}, which is no heading of it")
    endif()
endforeach()

file(READ ${TEMPLATE} page)
string(CONFIGURE "${page}" page @ONLY)
file(WRITE ${OUTPUT}.part "${page}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
