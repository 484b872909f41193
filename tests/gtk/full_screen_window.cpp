// A window in full screen, in front, until it is ended: what a video player or a slide
// show puts over the desktop, for the clock's test of what the window manager does then.
#include <gtk/gtk.h>

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "full screen");
  gtk_window_fullscreen(GTK_WINDOW(window));
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
  gtk_widget_show(window);
  gtk_window_present(GTK_WINDOW(window));
  gtk_main();
  return 0;
}
