ancien contenu
