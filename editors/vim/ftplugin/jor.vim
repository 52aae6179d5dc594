" JOR buffers: comments for toggling and formatting, words as the lexer reads
" names, and :JorRun, which runs the file in jor. Owns g:jor_program and g:jor_arguments.
if exists('b:did_ftplugin')
  finish
endif
let b:did_ftplugin = 1
let s:cpo_save = &cpo
set cpo&vim

setlocal commentstring=//\ %s
setlocal comments=s1:/*,mb:*,ex:*/,://
setlocal formatoptions-=t formatoptions+=croql
" NULL? and ... are names; Cyrillic letters are word characters anyway.
setlocal iskeyword=@,48-57,_,.,?

command! -buffer -bar JorRun call s:run()
if !exists('g:jor_no_mappings')
  nnoremap <buffer> <silent> <LocalLeader>r :JorRun<CR>
endif

let b:undo_ftplugin = 'setlocal commentstring< comments< formatoptions< iskeyword<'
      \ . ' | execute "silent! delcommand -buffer JorRun"'
      \ . ' | execute "silent! nunmap <buffer> <LocalLeader>r"'

if !exists('*s:run')
  " Saves the file and runs it in a terminal window, from the file's folder,
  " where LOAD looks; the keyboard then reaches jor.
  function s:run() abort
    if expand('%') ==# ''
      echoerr 'JorRun: save the program to a file first'
      return
    endif
    update
    let argv = [get(g:, 'jor_program', 'jor')] + get(g:, 'jor_arguments', []) + [expand('%:p')]
    let folder = expand('%:p:h')
    if has('nvim')
      new
      call termopen(argv, {'cwd': folder})
      startinsert
    elseif has('terminal')
      call term_start(argv, {'cwd': folder})
    else
      execute '!cd' shellescape(folder) '&&' join(map(argv, 'shellescape(v:val)'))
    endif
  endfunction
endif

let &cpo = s:cpo_save
unlet s:cpo_save
