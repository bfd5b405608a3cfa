// Main window sources arrive here.
