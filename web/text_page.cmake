# Writes one of the program's text files (README.TXT, WHATSNEW.TXT) as a page of the site: the
# text as it stands, escaped, in a <pre>, under the page's own Content-Security-Policy (taken
# from index.html, so that there is one policy to keep).
# cmake -DTEXT=README.TXT -DINDEX=index.html -DOUT=readme.html -P text_page.cmake
file(READ ${INDEX} index)
string(REGEX MATCH "<meta http-equiv=\"Content-Security-Policy\"[^>]*>" policy "${index}")
if(NOT policy)
  message(FATAL_ERROR "${INDEX} has no Content-Security-Policy")
endif()
file(READ ${TEXT} text)
string(REPLACE "&" "&amp;" text "${text}")
string(REPLACE "<" "&lt;" text "${text}")
string(REPLACE ">" "&gt;" text "${text}")
get_filename_component(name ${TEXT} NAME)
file(WRITE ${OUT} "<!doctype html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
${policy}
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${name} - Floemark Simulator</title>
<link rel=\"icon\" href=\"art/1/icon.svg\">
<link rel=\"stylesheet\" href=\"text.css\">
</head>
<body>
<nav><a href=\"./\">Back to the console</a></nav>
<pre>${text}</pre>
</body>
</html>
")
