#!/usr/bin/env python3
# The converter's Windows build on Wine's console, typed at as a user types: each answer once its
# question shows, through a pseudo-terminal. Accented names typed on a console in code page 850
# open and create the files of those names, and read back as typed; a failure on a console of the
# program's own (a double click) waits for a key, on one shared with cmd it does not.
# Usage: console.py wine meshpress.exe golden-cases-folder
import os, pty, select, shutil, sys, tempfile, tty

wine, exe, cas = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3]
echecs = []


# Runs the command in dossier; for each (question, answer), waits until the question shows
# (on screen, the console's escapes aside), then types the answer. What the console showed.
def taper(dossier, commande, reponses):
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(dossier)
        # Raw from the start, as Wine's console sets it: an answer typed before it does keeps
        # its Enter (a carriage return) and is not echoed twice.
        tty.setraw(0)
        os.execvp(commande[0], commande)
    vu = b''
    def lire(jusque):
        nonlocal vu
        while jusque is None or jusque.encode() not in ecran(vu):
            if not select.select([fd], [], [], 30)[0]:
                return False
            try:
                d = os.read(fd, 4096)
            except OSError:
                return jusque is None
            if not d:
                return jusque is None
            vu += d
        return True
    for question, reponse in reponses:
        if not lire(question):
            echecs.append(f'{commande}: never showed {question!r}: {ecran(vu)!r}')
            break
        os.write(fd, reponse.encode())
    # A program that does not end is ended: it waits for what was never asked.
    if not lire(None):
        echecs.append(f'{commande}: did not end: {ecran(vu)!r}')
        os.kill(pid, 9)
    os.waitpid(pid, 0)
    return ecran(vu).decode(errors='replace')


# The text shown, without the cursor's escapes and line breaks.
def ecran(octets):
    for e in (b'\x1b[?25l', b'\x1b[?25h', b'\x1b[K', b'\x1b[1C', b'\r', b'\n'):
        octets = octets.replace(e, b' ' if e == b'\x1b[1C' else b'')
    return octets


QUESTIONS = ["(mettre l'extension):", "(pas d'extension):"]
with tempfile.TemporaryDirectory() as d:
    shutil.copytree(os.path.join(cas, 'obj_noms_accentues'), d, dirs_exist_ok=True)
    shutil.copy(exe, os.path.join(d, 'meshpress.exe'))
    vu = taper(d, [wine, 'cmd', '/c', 'chcp 850 > nul & meshpress.exe'],
               [(QUESTIONS[0], 'modèle.obj\r'), (QUESTIONS[1], 'tête\r'), ('continuer...', 'x')])
    attendu = open(os.path.join(d, 'attendu', 'tête.h'), 'rb').read()
    if not os.path.exists(os.path.join(d, 'tête.h')) or open(os.path.join(d, 'tête.h'), 'rb').read() != attendu:
        echecs.append(f'code page 850: no tête.h as expected; files: {os.listdir(d)}; console: {vu}')
    if 'tête.c' not in vu or 'inclut tête.h' not in vu:
        echecs.append(f'code page 850: the names do not read as typed: {vu}')
    for commande, attente in (([wine, 'meshpress.exe'], True), ([wine, 'cmd', '/c', 'meshpress.exe'], False)):
        reponses = [(QUESTIONS[0], 'absent.obj\r'), (QUESTIONS[1], 'a\r')]
        if attente:
            reponses.append(('continuer...', 'x'))
        vu = taper(d, commande, reponses)
        if 'erreur' not in vu or ('continuer...' in vu) != attente:
            echecs.append(f'{commande}: after erreur, a wait for a key: {not attente}: {vu}')
for e in echecs:
    print(e)
print('console: ' + ('failed' if echecs else 'accented names typed, and the wait after erreur'))
sys.exit(1 if echecs else 0)
