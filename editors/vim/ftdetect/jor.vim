" Files of JOR programs and transcripts.
autocmd BufRead,BufNewFile *.jor setfiletype jor
